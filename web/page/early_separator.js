// The browser language's decimal separator, read while the WebAssembly
// compiles, not between its load and the form's first answer: the first use
// of Intl costs a good many milliseconds. The page's code takes it from
// Module.decimalSeparator, or works it out then if it is not there yet.
setTimeout(() => {
    if (Module.decimalSeparator === undefined)
        Module.decimalSeparator = tubaroDecimalSeparator(navigator.language);
}, 0);
