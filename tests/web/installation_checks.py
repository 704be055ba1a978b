"""What the installation's browser tests share: their checks, the README's
house with what tubarogas-calc.js answers for it, and a row of the page
read as the command line writes it."""

import subprocess
import sys
import time

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


def wait_until(predicate, seconds=5.0):
    end = time.time() + seconds
    while time.time() < end:
        if predicate():
            return True
        time.sleep(0.05)
    return predicate()


def readme_house(readme):
    """The house of the README's worked example: its lines' five fields."""
    with open(readme) as source:
        lines = source.read().split("\n")
    house = []
    for line in lines[lines.index("    $ cat casa.tsv") + 1:]:
        if line.startswith("    $ "):
            break
        if not line.startswith("    #"):
            house.append((line[4:] + "\t" * 4).split("\t")[:5])
    return house


def calc(calc_js, house, *options):
    """tubarogas-calc.js --impianto on these lines: its summary, then a line a section."""
    out = subprocess.run(["node", "--no-experimental-fetch", calc_js, "--impianto", "-", "--separatore", ",", *options],
                         input="".join("\t".join(row) + "\n" for row in house), capture_output=True, text=True)
    lines = out.stdout.split("\n")
    return lines[0][2:], [line.split("\t") for line in lines[2:] if line]


HOUSE_ADDRESS = ("#impianto=Montante,,10,26,;Caldaia,Montante,6,,24;Cucina,Montante,8,,;Piano%20cottura,Cucina,3,,8.5;"
                 "Scaldabagno,Cucina,4,16,19.5&ammessa=100")

# Each row of the view: its five fields (Da as the chosen start's name), the
# proposal, then the figures P, Y, Y dal contatore, Pollici and Esito.
ROWS = """const part = (tr, s) => document.getElementById(tr.id + '-' + s);
    return [...document.querySelectorAll('#impianto-tratti tr')].map(tr => {
        const da = part(tr, 'da');
        return [part(tr, 'nome').value, da.selectedIndex >= 0 ? da.options[da.selectedIndex].text : '',
                part(tr, 'l').value, part(tr, 'd').value, part(tr, 'kw').value, part(tr, 'proposto').textContent,
                ...['p', 'y', 'ydc', 'pollici', 'esito'].map(s => part(tr, s).textContent)]; });"""

VERDICTS = {"entro il limite": "entro", "oltre il limite": "oltre"}


def as_command_line(row):
    """A row of the page as the command line writes its line: the proposal
    in D, the verdict's word (and "proposto"), or why there is none."""
    name, start, length, diameter, power, proposal, p, y, from_meter, inches, outcome = row
    verdict = next((word for phrase, word in VERDICTS.items() if outcome.startswith(phrase)), None)
    if verdict:
        outcome = verdict + (" proposto" if proposal else "")
    elif proposal:
        outcome = outcome + "; proposto"
    return [name, "" if start == "contatore" else start, length, proposal.split(" ")[0] if proposal else diameter, power,
            p, y, from_meter, inches, outcome]
