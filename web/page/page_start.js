// The page's start, before its code: the form is on screen from the HTML and
// the style sheet alone, and this script, the only one the HTML names, does
// the rest.
//   - Nothing of the code runs before the form is on screen: on two cores a
//     WebAssembly compiling, or a script running, takes its time from the
//     browser's first frame. The HTML names this script and the code's
//     files (preloaded, so they arrive meanwhile) after the form, so the
//     browser meets the form first; once it reports the form painted (its
//     first contentful paint; where it reports no paints, once its first
//     frame is drawn), the WebAssembly is compiled here, off the page's
//     thread, and the script put in.
//   - Until the code has bound the form, a result the inputs no longer give
//     is not shown: from the first change to an input, the computed field
//     and the inch size are emptied and marked busy. At the binding what the
//     page emptied is put back, and the code is told which fields the user
//     changed: those it works out, and only those stand over a link.
//   - Where the code cannot run (no WebAssembly, a file missing, refused or
//     broken, a failure at its start) the note says so and the computed
//     field and the inch size show no number; after SLOW_MS the note says it
//     has not come yet. A file missing or broken, whichever, is asked for
//     again on one schedule (RETRY_MS, then its last step over and over, and
//     whenever the browser comes back online), and whenever the code comes
//     the page takes up where the user is, with no reload.
// Screen and code meet in window.Module, emscripten's own object:
// instantiateWasm hands it the WebAssembly compiled here, pageBound() is
// called by the code just before it binds the form.
"use strict";
performance.mark("tubarogas-start-script");
(() => {
    const SLOW_MS = 8000;
    // A try that has not brought the code by then has failed: a request
    // that never answers, a script that stopped half-way through its start.
    const LIMIT_MS = 20000;
    const RETRY_MS = [2000, 5000, 10000, 30000];

    const form = document.getElementById("Form_Principale");
    const note = document.getElementById("nota");
    if (!form || !note) return;
    const radios = [...form.querySelectorAll('input[type="radio"]')];
    const fieldOf = element => document.getElementById(element.dataset.field);
    const fields = radios.map(fieldOf);
    const designation = form.querySelector("input.output[data-field]");
    const diameter = fieldOf(designation);

    let bound = false;
    // The code cannot compute now: no result is shown at all.
    let broken = false;
    // The value fields the user has changed, and the texts taken out of view.
    const touched = new Set();
    const held = new Map();

    const computed = () => {
        const set = radios.find(radio => radio.checked);
        return set ? fieldOf(set) : null;
    };
    // Whether a field would show a number its inputs did not give.
    const stale = field => {
        if (field === designation) return broken || touched.has(diameter) || stale(diameter);
        return field === computed() && (broken || [...touched].some(each => each !== field));
    };
    const conceal = field => {
        if (!held.has(field)) held.set(field, field.value);
        if (!touched.has(field)) field.value = "";
        field.placeholder = "…";
        field.setAttribute("aria-busy", "true");
    };
    const reveal = field => {
        // A former result that is an input again comes back as it was.
        if (held.has(field) && field.value === "") field.value = held.get(field);
        held.delete(field);
        field.removeAttribute("placeholder");
        field.removeAttribute("aria-busy");
    };
    const follow = () => {
        for (const field of [...fields, designation]) (stale(field) ? conceal : reveal)(field);
    };

    form.addEventListener("input", event => {
        if (bound || !fields.includes(event.target)) return;
        touched.add(event.target);
        follow();
    }, true);
    form.addEventListener("change", event => {
        if (!bound && event.target.type === "radio") follow();
    }, true);
    // A link opened meanwhile is the user's latest word: what they typed
    // before it no longer stands over it.
    window.addEventListener("hashchange", () => {
        if (bound) return;
        touched.clear();
        follow();
    });

    let slowTimer = 0;
    // How many tries at the code have failed, the next one's timer, and the
    // present one's limit.
    let failures = 0;
    let retryTimer = 0;
    let limitTimer = 0;
    const say = text => {
        note.textContent = text;
        note.classList.add("loading");
        note.hidden = false;
    };
    const cannotCompute = text => {
        broken = true;
        say(text);
        follow();
    };

    window.Module = window.Module || {};
    const Module = window.Module;
    // Called by the code before it binds the form: the page's own pending
    // state undone, what the user changed named for the code.
    Module.pageBound = () => {
        bound = true;
        clearTimeout(slowTimer);
        clearTimeout(retryTimer);
        clearTimeout(limitTimer);
        for (const [field, text] of held)
            if (!touched.has(field)) field.value = text;
        held.clear();
        for (const field of [...fields, designation]) {
            field.removeAttribute("placeholder");
            field.removeAttribute("aria-busy");
        }
        note.hidden = true;
        note.classList.remove("loading");
        return [...touched].map(field => field.id).join(" ");
    };
    // A failure at the code's own start: nothing to try again.
    Module.onAbort = () => cannotCompute(note.dataset.mancante);

    if (typeof WebAssembly !== "object") {
        cannotCompute(note.dataset.senzaWebassembly);
        return;
    }

    // The WebAssembly of the latest try, compiled; the code asks for it
    // through instantiateWasm, as the script runs.
    let compiled = null;
    let wanted = null;
    let asked = false;
    // The script element of the latest try, until it proves broken.
    let script = null;

    // One schedule for whatever failed: a second failure while a try is
    // waiting adds none.
    const failed = () => {
        if (bound) return;
        cannotCompute(note.dataset.mancante);
        clearTimeout(limitTimer);
        if (retryTimer) return;
        const wait = RETRY_MS[Math.min(failures++, RETRY_MS.length - 1)];
        retryTimer = setTimeout(() => {
            retryTimer = 0;
            start();
        }, wait);
    };
    let instantiating = false;
    const instantiate = () => {
        if (!compiled || !wanted || instantiating) return;
        instantiating = true;
        const {imports, receive} = wanted;
        compiled.then(module => WebAssembly.instantiate(module, imports).then(instance => {
            wanted = null;
            performance.mark("tubarogas-instantiated");
            receive(instance, module);
        }, () => {
            // The script and the WebAssembly are not of one build (a copy
            // kept from another version, say): both are fetched anew.
            compiled = null;
            forgetScript();
            failed();
        }), () => {}).finally(() => { instantiating = false; });
    };
    Module.instantiateWasm = (imports, receive) => {
        asked = true;
        wanted = {imports, receive};
        instantiate();
        return {};
    };

    let aborter = null;
    const fetchCode = () => {
        // After a failure, past any copy the browser kept of it.
        aborter = new AbortController();
        const options = {credentials: "same-origin", cache: failures > 0 ? "no-store" : "default",
                         signal: aborter.signal};
        const attempt = fetch("tubarogas.wasm", options).then(response => {
            if (!response.ok) throw new Error("tubarogas.wasm: " + response.status);
            return WebAssembly.compileStreaming(response.clone())
                .catch(() => response.arrayBuffer().then(bytes => WebAssembly.compile(bytes)));
        });
        compiled = attempt;
        attempt.then(() => {
            performance.mark("tubarogas-compiled");
            instantiate();
        }, () => {
            if (compiled === attempt) compiled = null;
            failed();
        });
    };
    // A script that ran but brought no code: it goes, and is asked for
    // again (a script that is still loading is waited for, never doubled).
    const forgetScript = () => {
        if (!script || !script.dataset.ran) return;
        script.remove();
        script = null;
        asked = false;
        wanted = null;
    };
    const loadScript = () => {
        const element = document.createElement("script");
        // After a failure, past any copy the browser kept of it.
        element.src = failures > 0 ? "tubarogas.js?" + failures : "tubarogas.js";
        // A script runs as it loads, and the code's first step is to ask for
        // its WebAssembly: one that loaded without asking is cut short, not
        // JavaScript, or not the code.
        element.onload = () => {
            element.dataset.ran = "1";
            if (!asked) {
                forgetScript();
                failed();
            }
        };
        element.onerror = () => {
            element.remove();
            if (script === element) script = null;
            failed();
        };
        script = element;
        document.head.append(element);
    };
    function start() {
        if (bound) return;
        if (!compiled) fetchCode();
        if (!script) loadScript();
        clearTimeout(limitTimer);
        limitTimer = setTimeout(() => {
            if (bound) return;
            // Whatever has not answered by now has failed.
            if (aborter) aborter.abort();
            compiled = null;
            forgetScript();
            failed();
        }, LIMIT_MS);
    }
    window.addEventListener("online", () => {
        if (bound || !broken) return;
        clearTimeout(retryTimer);
        retryTimer = 0;
        start();
    });

    // The code once the form is on screen: at once if it is already.
    const onScreen = then => {
        const next = () => setTimeout(then, 0);
        if (typeof PerformanceObserver !== "function" ||
            !(PerformanceObserver.supportedEntryTypes || []).includes("paint")) {
            requestAnimationFrame(next);
            return;
        }
        if (performance.getEntriesByName("first-contentful-paint").length) {
            then();
            return;
        }
        const painted = new PerformanceObserver(list => {
            if (!list.getEntriesByName("first-contentful-paint").length) return;
            painted.disconnect();
            next();
        });
        painted.observe({type: "paint", buffered: true});
    };
    onScreen(() => {
        performance.mark("tubarogas-requested");
        slowTimer = setTimeout(() => { if (!bound && !broken) say(note.dataset.lento); }, SLOW_MS);
        start();
    });
})();
