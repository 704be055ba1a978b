// What a thumb must be able to hit on a phone, and what it must read: the
// faults of the page's layout for a thumb, as texts (none: an empty list).
// Every control named in `targets` and every shown arrow at least 44 x 44
// CSS px and on the first screen, field text at least 16 px, no sideways
// scroll. One function expression, evaluated in the page by each engine's
// test.
(targets) => {
    const faults = [];
    const elements = targets.map(id => document.getElementById(id));
    for (const arrow of document.querySelectorAll(".spin:not([hidden]) button")) elements.push(arrow);
    for (const each of elements) {
        const box = each.getBoundingClientRect();
        const name = each.id || each.parentElement.id + " " + each.className;
        if (box.width < 44 || box.height < 44) faults.push(name + " " + box.width + "x" + box.height);
        if (box.bottom > innerHeight || box.right > innerWidth) faults.push(name + " off the first screen");
        if (each.type === "text" && parseFloat(getComputedStyle(each).fontSize) < 16)
            faults.push(name + " text " + getComputedStyle(each).fontSize);
    }
    if (document.documentElement.scrollWidth > innerWidth) faults.push("sideways scroll");
    return faults;
}
