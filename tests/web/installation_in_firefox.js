// The installation's view in Firefox (Debian's firefox-esr), driven by
// puppeteer-core over WebDriver BiDi: the link from the form, the README's
// house opened by its address and read against tubarogas-calc.js on the
// same lines, a value out of range typed, a reload, and a phone's width.
// Usage: node installation_in_firefox.js SITE_FOLDER NODE_MODULES TUBAROGAS_CALC.js README.md SCREENSHOT_FOLDER
"use strict";
const {spawn, execFileSync} = require("child_process");
const fs = require("fs");
const path = require("path");
const readline = require("readline");

const [site, modules, calcJs, readme, shots] = process.argv.slice(2);
const puppeteer = require(path.join(modules, "puppeteer-core"));
const failures = [];

function check(condition, what) {
    if (!condition) {
        failures.push(what);
        console.error("FAIL: " + what);
    }
}

// The README's house, and what the command line answers for it.
const lines = fs.readFileSync(readme, "utf8").split("\n");
const house = [];
for (const line of lines.slice(lines.indexOf("    $ cat casa.tsv") + 1)) {
    if (line.startsWith("    $ ")) break;
    if (!line.startsWith("    #")) house.push(line.slice(4));
}
const answer = execFileSync("node", ["--no-experimental-fetch", calcJs, "--impianto", "-", "--separatore", ","],
                            {input: house.join("\n") + "\n", encoding: "utf8"}).split("\n");
const expected = answer.slice(2).filter(line => line).map(line => line.split("\t"));
const address = "#impianto=Montante,,10,26,;Caldaia,Montante,6,,24;Cucina,Montante,8,,;Piano%20cottura,Cucina,3,,8.5;" +
                "Scaldabagno,Cucina,4,16,19.5&ammessa=100";

// A row of the page as the command line writes its line.
const asCommandLine = ([name, start, length, diameter, power, proposal, p, y, fromMeter, inches, outcome]) => {
    const verdict = outcome.startsWith("entro il limite") ? "entro" : outcome.startsWith("oltre il limite") ? "oltre" : "";
    return [name, start === "contatore" ? "" : start, length, proposal ? proposal.split(" ")[0] : diameter, power, p, y,
            fromMeter, inches, verdict ? verdict + (proposal ? " proposto" : "") : (proposal ? "proposto; " : "") + outcome];
};

async function main() {
    fs.mkdirSync(shots, {recursive: true});
    const server = spawn("/usr/bin/python3",
                         [path.join(__dirname, "..", "..", "scripts", "serve_static.py"), site, "0"],
                         {stdio: ["ignore", "pipe", "inherit"]});
    const url = await new Promise(resolve => readline.createInterface({input: server.stdout})
                                                  .once("line", line => resolve(line.trim())));
    const browser = await puppeteer.launch({
        browser: "firefox",
        executablePath: "/usr/bin/firefox-esr",
        headless: true,
        extraPrefsFirefox: {"intl.accept_languages": "it-IT, it", "intl.locale.requested": "it-IT"},
    });
    try {
        const page = await browser.newPage();
        await page.setViewport({width: 1280, height: 800});
        const waitFor = (predicate, what, ...args) =>
            page.waitForFunction(predicate, {timeout: 5000}, ...args).then(() => true, () => (check(false, what), false));
        const rows = () => page.evaluate(() => [...document.querySelectorAll("#impianto-tratti tr")].map(tr => {
            const part = s => document.getElementById(tr.id + "-" + s);
            const da = part("da");
            return [part("nome").value, da.options[da.selectedIndex].text, part("l").value, part("d").value, part("kw").value,
                    part("proposto").textContent, ...["p", "y", "ydc", "pollici", "esito"].map(s => part(s).textContent)];
        }));
        const rowOf = name => page.evaluate(name => [...document.querySelectorAll("#impianto-tratti th input")]
            .find(e => e.value === name).closest("tr").id, name);
        const replace = async (id, text) => {
            await page.click("#" + id);
            await page.keyboard.press("End");
            await page.keyboard.down("Shift");
            await page.keyboard.press("Home");
            await page.keyboard.up("Shift");
            await page.keyboard.type(text);
        };
        const settled = title => waitFor(title => performance.getEntriesByName("tubarogas-ready").length > 0 &&
                                                  document.title.startsWith(title), "settled: " + title, title);

        // From the form, by its link: the example.
        await page.goto(url);
        await waitFor(() => performance.getEntriesByName("tubarogas-ready").length > 0, "the page came up");
        await page.click("#vista-impianto");
        await settled("Tubaro GAS · Impianto · 3 tratti · peggiore 85 Pa su 100");

        // The README's house by its address, as the command line answers it.
        await page.goto("about:blank");
        await page.goto(url + address);
        await settled("Tubaro GAS · Impianto · 5 tratti · peggiore 96 Pa su 100");
        check(JSON.stringify((await rows()).map(asCommandLine)) === JSON.stringify(expected),
              "the house: " + JSON.stringify((await rows()).map(asCommandLine)));
        check(await page.$eval("#impianto-sintesi", e => e.textContent) === answer[0].slice(2), "the summary");
        await page.screenshot({path: path.join(shots, "installation-firefox-desktop.png")});

        // A value out of range, typed: marked and said why; then mended.
        const heater = await rowOf("Scaldabagno");
        await replace(heater + "-d", "5000");
        check(JSON.stringify(await page.evaluate(id => [document.getElementById(id + "-d").getAttribute("aria-invalid"),
                                                        document.getElementById(id + "-d-errore").textContent,
                                                        document.getElementById(id + "-esito").textContent], heater)) ===
              JSON.stringify(["true", "deve stare tra 0 e 5000 mm, esclusi", "tratto non valido"]), "out of range");
        await replace(heater + "-d", "16");
        check(JSON.stringify((await rows()).map(asCommandLine)) === JSON.stringify(expected),
              "mended: " + JSON.stringify(await rows()));

        // Reloaded, once the address says what the screen shows: the same.
        await waitFor(address => location.hash === address, "the address after the changes", address);
        await page.reload();
        await settled("Tubaro GAS · Impianto · 5 tratti");
        check(JSON.stringify((await rows()).map(asCommandLine)) === JSON.stringify(expected), "reloaded");

        // A phone's width: cards, nothing sideways.
        await page.setViewport({width: 360, height: 740});
        await page.goto("about:blank");
        await page.goto(url + address);
        await settled("Tubaro GAS · Impianto");
        check(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth &&
                                        getComputedStyle(document.querySelector("#impianto-tratti tr")).display === "grid"),
              "cards at 360 px");
        await page.screenshot({path: path.join(shots, "installation-firefox-phone-360.png")});
    } finally {
        await browser.close();
        server.kill();
    }
    if (failures.length) {
        console.error(failures.length + " checks failed");
        process.exit(1);
    }
    console.log("the installation in Firefox: ok");
}

main().catch(error => {
    console.error(error);
    process.exit(1);
});
