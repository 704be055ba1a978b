// The browser language's decimal separator, read while the WebAssembly
// compiles rather than between its load and the form's first answer (the
// first use of Intl costs a good many milliseconds), and after the form's
// first paint, which it would otherwise hold back. The page's code takes it
// from Module.decimalSeparator, or works it out then if it is not there yet.
requestAnimationFrame(() => setTimeout(() => {
    if (Module.decimalSeparator === undefined) {
        Module.decimalSeparator = tubaroDecimalSeparator(navigator.language);
        performance.mark("tubarogas-separator");
    }
}, 0));
