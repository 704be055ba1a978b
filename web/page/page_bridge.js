// What the page's code needs of JavaScript once it runs: every DOM event of
// the form's elements carried to the code with the elements' state, and the
// operations it answers carried out. Nothing is decided here (main_page.cpp
// decides, with the form): an event goes in as it is, and each operation is
// one DOM call.
//
// One call into the code per event: the event and the state of the form's
// controls are written, as length-prefixed UTF-8 fields, into a buffer the
// code owns (Module._page_buffer), and Module._on_page_event answers with a
// JSON list: whether the event was taken, then the operations.
//
// A view beside the form (`views`, by their root elements' ids) is carried
// the same way, with its own state: the id and the value of each of its
// inputs, then of each of its selects, in the document's order, as the DOM
// holds them; its rows come and go as markup the code writes.
Module.bindPage = (controls, others, views = []) => {
    const elements = new Map();
    for (const id of [...controls, ...others]) elements.set(id, document.getElementById(id));
    // An element the code named, bound or made since.
    const elementOf = id => elements.get(id) || document.getElementById(id);
    const form = elements.get("Form_Principale");
    const timers = new Map();
    let buffer = 0;
    let capacity = 0;

    // (Most texts are ASCII, whose length in UTF-8 is their length; the
    // browser's own encoder and pattern test are far quicker than a loop
    // over the characters here.)
    const encoder = new TextEncoder();
    const field = text => (/[^\0-\x7f]/.test(text) ? encoder.encode(text).length : text.length) + ":" + text;
    // The control holding the focus, in whichever document the form is.
    const focused = () => {
        let element = form.ownerDocument.activeElement;
        while (element && element.parentElement !== form) element = element.parentElement;
        return element && controls.includes(element.id) ? element.id : "";
    };
    const state = () => controls.map(id => {
        const element = elements.get(id);
        const flags = (element.checked ? "1" : "0") + (element.hidden ? "1" : "0") + (element.disabled ? "1" : "0");
        return field(element.tagName === "INPUT" && element.type === "text" ? element.value : "") + field(flags);
    }).join("");

    const tell = (type, control, part, event, extra) => {
        const modifiers = event ? (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0) |
                                  (event.metaKey ? 8 : 0) : 0;
        send([type, control, part, String(event ? event.keyCode | 0 : 0), String(modifiers),
              event && event.repeat ? "1" : "0", String(event ? event.detail | 0 : 0), extra || "",
              focused()].map(field).join("") + state(), event);
    };
    // A view's inputs and selects, found again only once the code has added
    // or taken away markup (finding them walks the whole view).
    const viewFields = new Map();
    const fieldsOf = root => {
        if (!viewFields.has(root))
            viewFields.set(root, [...root.getElementsByTagName("input"), ...root.getElementsByTagName("select")]);
        return viewFields.get(root);
    };
    const tellView = (root, type, target, event) => {
        const active = document.activeElement;
        let record = ["vista", root.id, type, target, "",
                      active && root.contains(active) ? active.id : ""].map(field).join("");
        for (const each of fieldsOf(root)) record += field(each.id) + field(each.value);
        send(record, event);
    };
    const send = (record, event) => {
        // Room for the record at three bytes a UTF-16 unit, at most.
        const room = 3 * record.length + 1;
        if (room > capacity) {
            capacity = Math.max(room, 2 * capacity, 4096);
            buffer = Module._page_buffer(capacity);
        }
        const {written} = encoder.encodeInto(record, HEAPU8.subarray(buffer, buffer + capacity));
        const [taken, ...operations] = JSON.parse(UTF8ToString(Module._on_page_event(written)));
        // (A view told while operations are carried out, "ask", is told
        // inside them.)
        const inside = applying;
        applying = true;
        try {
            for (const operation of operations) carry_out(operation);
        } finally {
            applying = inside;
        }
        if (taken && event) event.preventDefault();
    };

    const floatForm = floating => {
        Module.floatWanted = floating;
        if (!floating) {
            if (Module.floating) Module.floating.close();
            return;
        }
        if (Module.floating || Module.floatPending) return;
        const home = form.parentNode;
        const next = form.nextSibling;
        const box = form.getBoundingClientRect();
        Module.floatPending = true;
        documentPictureInPicture.requestWindow({width: Math.round(box.width) + 16, height: Math.round(box.height) + 16})
            .then(window => {
                Module.floatPending = false;
                if (!Module.floatWanted) {
                    // Unticked while the browser was opening it.
                    window.close();
                    return;
                }
                for (const sheet of document.querySelectorAll("style"))
                    window.document.head.append(sheet.cloneNode(true));
                window.document.documentElement.lang = document.documentElement.lang;
                window.document.title = document.title;
                window.document.body.className = "floating";
                window.document.body.append(form);
                Module.floating = window;
                window.addEventListener("pagehide", () => {
                    home.insertBefore(form, next);
                    Module.floating = null;
                    tell("floatended", "", "", null);
                }, {once: true});
            }, () => {
                Module.floatPending = false;
                tell("floatended", "", "", null);
            });
    };

    // What can wait until the event's turn is over (or, if the code asks,
    // until the frame after it is drawn), the latest of each key.
    const later = new Map();
    const waiting = {turn: false, frame: false};
    const carry_out_later = afterFrame => {
        applying = true;
        try {
            // (No destructuring in a for-of head: emscripten's minifier
            // mangles it.)
            for (const key of [...later.keys()]) {
                const waits = later.get(key);
                if (waits.afterFrame !== afterFrame) continue;
                later.delete(key);
                for (const operation of waits.operations) if (operation) carry_out(operation);
            }
        } finally {
            applying = false;
        }
    };
    const carry_out = ([what, target, value, more]) => {
        if (what === "later") {
            later.set(target, {operations: value, afterFrame: !!more});
            if (more && !waiting.frame) {
                waiting.frame = true;
                requestAnimationFrame(() => setTimeout(() => {
                    waiting.frame = false;
                    carry_out_later(true);
                }, 0));
            } else if (!more && !waiting.turn) {
                waiting.turn = true;
                setTimeout(() => {
                    waiting.turn = false;
                    carry_out_later(false);
                }, 0);
            }
            return;
        }
        const element = elementOf(target);
        switch (what) {
        case "value": element.value = value; break;
        case "checked": element.checked = value; break;
        case "hidden": element.hidden = value; break;
        case "disabled": element.disabled = value; break;
        case "focus": element.focus(); break;
        case "select": element.select(); break;
        // What is already so is left alone: writing it again would still
        // change the page.
        case "text": if (element.textContent !== value) element.textContent = value; break;
        case "attribute":
            if (more === null) element.removeAttribute(value);
            else if (element.getAttribute(value) !== more) element.setAttribute(value, more);
            break;
        case "markup": element.innerHTML = value; viewFields.clear(); break;
        case "insert": element.insertAdjacentHTML(value, more); viewFields.clear(); break;
        case "remove": element.remove(); viewFields.clear(); break;
        // The code asks to be told, with the view's state: once a frame is
        // drawn, say.
        case "ask": tellView(element, value, "", null); break;
        case "style": element.style.setProperty(value, more); break;
        case "timer":
            clearTimeout(timers.get(target));
            timers.set(target, setTimeout(() => {
                timers.delete(target);
                tell("timer", target, "", null);
            }, value));
            break;
        case "untimer": clearTimeout(timers.get(target)); timers.delete(target); break;
        case "float": if ("documentPictureInPicture" in window) floatForm(value); break;
        case "address": {
            // An address that stands as it is is left alone: replacing it
            // is a navigation within the page, whose cost the binding,
            // which writes the start sizing's bare address, would pay.
            // (The page's own address with its fragment replaced: a path
            // read as a relative address would be another page's, or none,
            // when it begins with "//".)
            const url = new URL(location.href);
            url.hash = value;
            const address = url.href;
            if (address !== location.href) history.replaceState(history.state, "", address);
            break;
        }
        case "title":
            document.title = value;
            // The floating window's too, which shows the form.
            if (Module.floating) Module.floating.document.title = value;
            break;
        case "now":
            element.textContent = new Date().toLocaleString("it-IT", {dateStyle: "long", timeStyle: "short"});
            break;
        case "href": element.textContent = location.href; break;
        }
    };

    // What the DOM raises while the code's operations are carried out
    // (a focus moved, say) is part of the answer, not a new event.
    let applying = false;
    const listen = (element, types, control, part) => {
        for (const type of types)
            element.addEventListener(type, event => { if (!applying) tell(type, control, part, event); });
    };
    // An arrow goes down under the main button or a finger, as a desktop
    // toolkit's button does, not under the others.
    const listenToArrow = (element, control, part) => {
        for (const type of ["pointerdown", "pointerup", "pointerleave", "pointercancel", "click", "contextmenu"])
            element.addEventListener(type, event => {
                if (!applying && (type !== "pointerdown" || event.button === 0)) tell(type, control, part, event);
            });
    };
    for (const id of controls) {
        const element = elements.get(id);
        if (element.tagName === "LABEL") continue;
        if (element.classList.contains("spin")) {
            listen(element, ["keydown", "focusin", "focusout"], id, "");
            listenToArrow(element.querySelector("button.up"), id, "up");
            listenToArrow(element.querySelector("button.down"), id, "down");
        } else if (element.type === "text") {
            listen(element, ["keydown", "keyup", "input", "focusin", "focusout", "click"], id, "");
        } else {
            listen(element, ["keydown", "focusin", "focusout", "click"], id, "");
        }
    }
    // Seen after the controls' own: a pointer that goes down anywhere on the
    // form.
    form.addEventListener("pointerdown", event => { if (!applying) tell("pointerdown", "", "", event); });
    const roots = views.map(id => document.getElementById(id)).filter(root => root);
    for (const root of roots)
        for (const type of ["input", "click"])
            root.addEventListener(type, event => { if (!applying) tellView(root, type, event.target.id || "", event); });
    // A key pressed elsewhere in the page (not in a view, whose keys are its
    // own), which the browser handles.
    window.addEventListener("keydown", event => {
        if (!applying && !form.contains(event.target) && !roots.some(root => root.contains(event.target)))
            tell("keyoutside", "", "", event);
    });
    // Paper shows what waits too.
    window.addEventListener("beforeprint", () => {
        carry_out_later(false);
        carry_out_later(true);
    });
    for (const type of ["hashchange", "beforeprint", "blur"])
        window.addEventListener(type, () => tell(type, "", "", null, type === "hashchange" ? location.hash.slice(1) : ""));

    return {
        start: changed => tell("load", "", "", null, [location.hash.slice(1), changed].map(field).join("")),
        shown: () => tell("shown", "", "", null),
    };
};
