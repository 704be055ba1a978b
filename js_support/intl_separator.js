// The decimal separator of a language ("it-IT": a comma) as this engine's
// Intl writes a decimal in it; a point for a tag Intl does not know. Put
// before each WebAssembly program's own code (--pre-js), for its C++
// (intl_separator.cpp) and, in the page, for an early start
// (early_separator.js).
function tubaroDecimalSeparator(tag) {
    try {
        const part = new Intl.NumberFormat(tag).formatToParts(1.5).find(each => each.type === "decimal");
        if (part) return part.value;
    } catch (e) {
        // Not a language tag: the point.
    }
    return ".";
}
