#!/usr/bin/python3
"""Checks the winget and Scoop manifests of a release (tests/release/run.sh).

Each file must validate against its official schema (tests/release/schemas), the winget YAML
parsed first, and every value must agree with the artefact it describes: the version, the hashes,
the download file names and what the zip holds. What the winget manifest says Apps & features
shows is written to --entry-out as NAME=VALUE lines, for the test that installs the release under
Wine to compare with the Uninstall key. Prints each fault and exits 1 when there is one.
"""
import argparse
import hashlib
import json
import pathlib
import sys
import zipfile

import jsonschema
import yaml

PACKAGE_IDENTIFIER = "Kestrivon.Wethrix"
SCHEMAS = pathlib.Path(__file__).resolve().parent / "schemas"


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


class Check:
    def __init__(self):
        self.faults = []

    def schema(self, name, document, schema_file):
        schema = json.loads((SCHEMAS / schema_file).read_text(encoding="utf-8"))
        for error in jsonschema.Draft7Validator(schema).iter_errors(document):
            self.faults.append(f"{name}: {'/'.join(map(str, error.path))}: {error.message}")

    def equal(self, what, found, expected):
        if found != expected:
            self.faults.append(f"{what} is {found!r}, expected {expected!r}")


def load_yaml(path):
    # winget reads every scalar as written; YAML 1.1 would make 1.10 a number, say.
    return yaml.load(path.read_text(encoding="utf-8"), Loader=yaml.BaseLoader)


def check_winget(check, dist, version, setup):
    folder = dist / "winget" / PACKAGE_IDENTIFIER / version
    files = {
        "version": (f"{PACKAGE_IDENTIFIER}.yaml", "winget/manifest.version.1.28.0.json"),
        "installer": (f"{PACKAGE_IDENTIFIER}.installer.yaml", "winget/manifest.installer.1.28.0.json"),
        "defaultLocale": (f"{PACKAGE_IDENTIFIER}.locale.en-US.yaml", "winget/manifest.defaultLocale.1.28.0.json"),
    }
    manifests = {}
    for kind, (name, schema) in files.items():
        manifests[kind] = load_yaml(folder / name)
        check.schema(name, manifests[kind], schema)
        check.equal(f"{name} ManifestType", manifests[kind].get("ManifestType"), kind)
        check.equal(f"{name} PackageVersion", manifests[kind].get("PackageVersion"), version)
    installer = manifests["installer"]
    check.equal("the locale", manifests["defaultLocale"].get("PackageLocale"), manifests["version"].get("DefaultLocale"))
    for entry in installer.get("Installers", []):
        check.equal("InstallerSha256", entry.get("InstallerSha256", "").lower(), sha256(setup))
        check.equal("InstallerUrl's file", entry.get("InstallerUrl", "").rsplit("/", 1)[-1], setup.name)
    entries = installer.get("AppsAndFeaturesEntries", [{}])
    check.equal("AppsAndFeaturesEntries", len(entries), 1)
    entry = entries[0]
    check.equal("DisplayVersion", entry.get("DisplayVersion"), version)
    check.equal("the entry's ProductCode", entry.get("ProductCode"), installer.get("ProductCode"))
    return entry


def check_scoop(check, dist, version, portable):
    manifest = json.loads((dist / "scoop" / "wethrix.json").read_text(encoding="utf-8"))
    check.schema("wethrix.json", manifest, "scoop/schema.json")
    check.equal("Scoop version", manifest.get("version"), version)
    check.equal("Scoop hash", manifest.get("hash"), sha256(portable))
    check.equal("Scoop url's file", manifest.get("url", "").rsplit("/", 1)[-1], portable.name)
    with zipfile.ZipFile(portable) as archive:
        names = set(archive.namelist())
    targets = [manifest.get("bin")] + [shortcut[0] for shortcut in manifest.get("shortcuts", [])]
    for target in targets:
        if target not in names:
            check.faults.append(f"Scoop names {target!r}, which the zip does not hold")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dist", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--entry-out", type=pathlib.Path, required=True)
    args = parser.parse_args()
    check = Check()
    setup = args.dist / f"Wethrix-{args.version}-setup.exe"
    portable = args.dist / f"Wethrix-{args.version}-win64.zip"
    entry = check_winget(check, args.dist, args.version, setup)
    check_scoop(check, args.dist, args.version, portable)
    args.entry_out.write_text("".join(f"{name}={entry.get(name, '')}\n" for name in
                                      ("ProductCode", "DisplayName", "Publisher", "DisplayVersion")))
    for fault in check.faults:
        print(fault, file=sys.stderr)
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main())
