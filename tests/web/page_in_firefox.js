// The page in Firefox (Debian's firefox-esr), driven by puppeteer-core over
// WebDriver BiDi as a user drives it: the start state, typing with its
// result and inch size in an Italian browser, an error note from a spin
// step, the stay-on-top box as Firefox allows it, the information line,
// and the layout for a thumb at a phone's width.
// Usage: node page_in_firefox.js SITE_FOLDER NODE_MODULES SCREENSHOT_FOLDER
"use strict";
const {spawn} = require("child_process");
const fs = require("fs");
const path = require("path");
const readline = require("readline");

const [site, modules, shots] = process.argv.slice(2);
const puppeteer = require(path.join(modules, "puppeteer-core"));
const thumbLayout = fs.readFileSync(path.join(__dirname, "thumb_layout.js"), "utf8");
const TARGETS = ["Text_D", "Text_Pollici", "Text_P", "Text_Y", "Text_L", "Option_Diametro", "Option_Potenza",
                 "Option_Perdita", "Option_Lunghezza", "Check1", "Text1"];
const failures = [];

function check(condition, what) {
    if (!condition) {
        failures.push(what);
        console.error("FAIL: " + what);
    }
}

function serve(...options) {
    const server = spawn("/usr/bin/python3",
                         [path.join(__dirname, "..", "..", "scripts", "serve_static.py"), site, "0", ...options],
                         {stdio: ["ignore", "pipe", "inherit"]});
    return new Promise(resolve => readline.createInterface({input: server.stdout})
                                       .once("line", url => resolve([server, url.trim()])));
}

async function main() {
    fs.mkdirSync(shots, {recursive: true});
    const [server, url] = await serve();
    const browser = await puppeteer.launch({
        browser: "firefox",
        executablePath: "/usr/bin/firefox-esr",
        headless: true,
        // An Italian browser: the decimal separator is the comma.
        extraPrefsFirefox: {"intl.accept_languages": "it-IT, it", "intl.locale.requested": "it-IT"},
    });
    try {
        const page = await browser.newPage();
        await page.setViewport({width: 1280, height: 800});
        const value = id => page.$eval("#" + id, e => e.value);
        const note = () => page.evaluate(() => {
            const n = document.getElementById("nota");
            return n && !n.hidden ? n.textContent : "-";
        });
        const waitFor = (predicate, what) =>
            page.waitForFunction(predicate, {timeout: 5000}).then(() => true, () => (check(false, what), false));
        const load = async () => {
            await page.goto(url);
            await waitFor(() => performance.getEntriesByName("tubarogas-ready").length > 0 &&
                                document.activeElement && document.activeElement.id === "Text_Y",
                          "the page came up with the focus in Text_Y");
        };
        const replace = async (id, text) => {
            await page.click("#" + id, {clickCount: 3});
            await page.keyboard.press("End");
            await page.keyboard.down("Shift");
            await page.keyboard.press("Home");
            await page.keyboard.up("Shift");
            await page.keyboard.type(text);
        };

        await load();
        // A fresh page: Tab from Text_D reaches UpDown_L, Shift+Tab comes back.
        await page.click("#Text_D");
        await page.keyboard.press("Tab");
        const forward = await page.evaluate(() => document.activeElement.id);
        await page.keyboard.down("Shift");
        await page.keyboard.press("Tab");
        await page.keyboard.up("Shift");
        const back = await page.evaluate(() => document.activeElement.id);
        check(forward === "UpDown_L" && back === "Text_D", "Tab from Text_D and back: " + [forward, back]);
        await load();
        check(await page.evaluate(() => navigator.language) === "it-IT", "an Italian browser");
        // The start: stored values, nothing computed, not floating.
        check(JSON.stringify(await Promise.all(["Text_D", "Text_P", "Text_Y", "Text_L", "Text_Pollici"].map(value))) ===
              JSON.stringify(["37", "116", "100", "30", "1\"1/2"]), "start texts");
        check(await page.$eval("#Option_Diametro", e => e.checked), "diameter mode");
        check(await page.$eval("#UpDown_D", e => e.hidden) && !await page.$eval("#UpDown_P", e => e.hidden),
              "UpDown_D alone hidden");
        check(!await page.$eval("#Check1", e => e.checked), "Check1 starts unticked");

        // Typing, with the comma: 1000 Pa, then 10,4 kW over 30 m need 9 mm, 3/8".
        await page.keyboard.press("End");
        await page.keyboard.type("0");
        await waitFor(() => document.getElementById("Text_D").value === "23", "a key in Text_Y recalculates");
        await replace("Text_P", "10,4");
        await waitFor(() => document.getElementById("Text_D").value === "9" &&
                            document.getElementById("Text_Pollici").value === "3/8\"",
                      "10,4 kW: 9 mm, 3/8\": " + await value("Text_D"));

        // The sizing kept in the address: a reload brings it back.
        await page.waitForFunction(() => location.hash === "#calcola=diametro&potenza=10.4&perdita=1000&lunghezza=30",
                                   {timeout: 5000}).catch(() => check(false, "the address follows the sizing"));
        await page.reload();
        await waitFor(() => performance.getEntriesByName("tubarogas-ready").length > 0, "reloaded");
        check(JSON.stringify(await Promise.all(["Text_D", "Text_P", "Text_Y", "Text_Pollici"].map(value))) ===
              JSON.stringify(["9", "10,4", "1000", "3/8\""]), "after a reload: " +
              JSON.stringify(await Promise.all(["Text_D", "Text_P", "Text_Y", "Text_Pollici"].map(value))));

        // An error note from a spin step, beside the field it wrote.
        await replace("Text_L", "1");
        await page.click("#UpDown_L button.down");
        await waitFor(() => document.getElementById("nota").textContent === "Divisione per zero" &&
                            !document.getElementById("nota").hidden, "the note from a spin step");
        check(await value("Text_L") === "0", "the step was written");
        await page.screenshot({path: path.join(shots, "firefox-desktop.png")});

        // The information line, by a click.
        await page.click("#Text1");
        await waitFor(() => document.getElementById("Text1").value === "https://www.tubaro.example/gas",
                      "a click on the information line");

        // Staying on top: a floating window where Firefox has one; a box
        // that says why where it has not.
        if (await page.evaluate(() => "documentPictureInPicture" in window)) {
            check(await page.$eval("#Check1", e => !e.disabled), "Check1 enabled with Picture-in-Picture");
        } else {
            check(await page.$eval("#Check1", e => e.disabled && e.title.includes("non disponibile")),
                  "without Picture-in-Picture the box is disabled and says why");
        }

        // A tubarogas.js cut in half (Firefox runs none of it, yet says it
        // loaded): the note says the code did not come, the computed field
        // and the inch size show no number, the typed text stays. The page
        // is left before its server ends, which it goes on asking.
        const [cut, cutUrl] = await serve("--cut", "tubarogas.js");
        await page.goto(cutUrl);
        await page.click("#Text_Y");
        await page.keyboard.press("End");
        await page.keyboard.type("0");
        await waitFor(() => !document.getElementById("nota").hidden && document.getElementById("nota").textContent ===
                            "Calcolo non disponibile: il programma di calcolo non si è caricato",
                      "the note when tubarogas.js is cut short");
        check(JSON.stringify(await Promise.all(["Text_Y", "Text_D", "Text_Pollici"].map(value))) ===
              JSON.stringify(["1000", "", ""]), "no number without the code");
        await page.goto("about:blank");
        cut.kill();

        // A link with no result: no number on the screen or in the title,
        // the address as it was.
        const noResult = "#calcola=lunghezza&diametro=50&potenza=9000&perdita=20";
        await page.goto(url + noResult);
        await waitFor(() => performance.getEntriesByName("tubarogas-ready").length > 0 &&
                            document.title.startsWith("Tubaro GAS · "), "a link with no result");
        const said = await page.evaluate(() => [["Text_D", "Text_P", "Text_Y", "Text_L", "Text_Pollici"].map(
            id => document.getElementById(id).value), location.hash, document.title]);
        check(JSON.stringify(said) === JSON.stringify([["50", "9000", "20", "", "2\""], noResult,
                                                       "Tubaro GAS · L – · D 50 mm 2\" · P 9000 kW · Y 20 Pa"]),
              "a link with no result: " + JSON.stringify(said));

        // A phone's width: the layout for a thumb.
        await page.setViewport({width: 360, height: 740});
        await load();
        const faults = await page.evaluate(`(${thumbLayout})(${JSON.stringify(TARGETS)})`);
        check(faults.length === 0, "for a thumb at 360 px: " + JSON.stringify(faults));
        await page.screenshot({path: path.join(shots, "firefox-phone-360.png")});
        check(await note() === "-", "no note at start");
    } finally {
        await browser.close();
        server.kill();
    }
    if (failures.length) {
        console.error(failures.length + " checks failed");
        process.exit(1);
    }
    console.log("the page in Firefox: ok");
}

main().catch(error => {
    console.error(error);
    process.exit(1);
});
