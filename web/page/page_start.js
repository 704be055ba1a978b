// The page's start, before its code: the form is on screen from the HTML and
// the style sheet alone, and this script, the only one the HTML names, does
// the rest.
//   - The code runs once the first frame is drawn, so nothing of it holds the
//     form back: the HTML has the browser fetch tubarogas.js and its
//     WebAssembly at once (preload), the WebAssembly is compiled here, off
//     the page's thread, and the script is put in only after that frame.
//   - Until the code has bound the form, a result the inputs no longer give
//     is not shown: from the first change to an input, the computed field
//     and the inch size are emptied and marked busy; the code then works the
//     result out at once from what is in the fields.
//   - Where the code cannot run (no WebAssembly, the file missing, refused or
//     broken, a failure at its start) the note says so and the computed
//     field and the inch size show no number; after SLOW_MS the note says it
//     has not come yet. A missing or broken file is asked for again, and
//     whenever it comes the page takes up where the user is, with no reload.
// Screen and code meet in window.Module, emscripten's own object:
// instantiateWasm hands it the WebAssembly compiled here, pageBound() is
// called by the code just before it binds the form.
"use strict";
performance.mark("tubarogas-start-script");
(() => {
    const SLOW_MS = 8000;
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

    let slowTimer = 0;
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
    // Called by the code before it binds the form, which then holds every
    // field; what is in them is what the user sees now.
    Module.pageBound = () => {
        bound = true;
        clearTimeout(slowTimer);
        for (const field of [...fields, designation]) {
            field.removeAttribute("placeholder");
            field.removeAttribute("aria-busy");
        }
        note.hidden = true;
        note.classList.remove("loading");
    };
    // A failure at the code's own start: nothing to try again.
    Module.onAbort = () => cannotCompute(note.dataset.mancante);

    if (typeof WebAssembly !== "object") {
        cannotCompute(note.dataset.senzaWebassembly);
        return;
    }

    // The WebAssembly of the latest try, compiled; the code asks for it
    // through instantiateWasm.
    let compiled = null;
    let wanted = null;
    let tries = 0;
    let scriptLoaded = false;

    const tryAgainLater = () => {
        const wait = RETRY_MS[Math.min(tries - 1, RETRY_MS.length - 1)];
        setTimeout(start, wait);
    };
    const failed = () => {
        if (bound) return;
        cannotCompute(note.dataset.mancante);
        tryAgainLater();
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
            // Not the code this script belongs with: fetched anew.
            compiled = null;
            failed();
        }), () => {}).finally(() => { instantiating = false; });
    };
    Module.instantiateWasm = (imports, receive) => {
        wanted = {imports, receive};
        instantiate();
        return {};
    };

    const fetchCode = () => {
        // After a failure, past any copy the browser kept of it.
        const options = {credentials: "same-origin", cache: tries++ > 0 ? "no-store" : "default"};
        compiled = fetch("tubarogas.wasm", options).then(response => {
            if (!response.ok) throw new Error("tubarogas.wasm: " + response.status);
            return WebAssembly.compileStreaming(response.clone())
                .catch(() => response.arrayBuffer().then(bytes => WebAssembly.compile(bytes)));
        });
        compiled.then(() => {
            performance.mark("tubarogas-compiled");
            instantiate();
        }, () => {
            compiled = null;
            failed();
        });
    };
    const loadScript = () => {
        const script = document.createElement("script");
        script.src = "tubarogas.js";
        script.onload = () => { scriptLoaded = true; };
        script.onerror = () => {
            script.remove();
            failed();
        };
        document.head.append(script);
    };
    function start() {
        if (bound) return;
        if (!compiled) fetchCode();
        if (!scriptLoaded && !document.querySelector('script[src="tubarogas.js"]')) loadScript();
    }
    window.addEventListener("online", () => {
        if (!bound && broken) start();
    });

    // The WebAssembly compiles meanwhile; the script runs after the first
    // frame, so the form is on screen before any of the code.
    fetchCode();
    requestAnimationFrame(() => setTimeout(() => {
        performance.mark("tubarogas-requested");
        slowTimer = setTimeout(() => { if (!bound && !broken) say(note.dataset.lento); }, SLOW_MS);
        start();
    }, 0));
})();
