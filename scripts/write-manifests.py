#!/usr/bin/python3
"""Writes the package managers' manifests of a release into its dist folder (scripts/release.sh).

winget: the three files of a multi-file manifest for the installer, in
  winget/<PackageIdentifier>/<version>/. Scoop: scoop/wethrix.json, for the portable zip.
The names the installer writes into Apps & features are read from the installer script, so the
manifests say what an installation really shows.
"""
import argparse
import datetime
import hashlib
import json
import pathlib
import re

import yaml

PACKAGE_IDENTIFIER = "Kestrivon.Wethrix"
MANIFEST_VERSION = "1.28.0"
LOCALE = "en-US"
LICENSE = "Freeware"
SHORT_DESCRIPTION = "The current outdoor temperature of one place as an icon in the notification area."
DESCRIPTION = (
    "Wethrix keeps the current outdoor temperature of one place in view as the icon of the Windows "
    "notification area. Once a minute it asks the OpenWeatherMap current-weather service, with your "
    "own free API key, and draws the whole number in your two colours, with a tooltip and a balloon."
)
TAGS = ["weather", "temperature", "tray", "notification-area", "openweathermap"]


def installer_defines(script):
    """The !define values of the installer script."""
    return dict(re.findall(r'^!define (\w+) "([^"]*)"', script.read_text(encoding="utf-8"), re.MULTILINE))


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


def write_yaml(path, fields):
    path.parent.mkdir(parents=True, exist_ok=True)
    text = yaml.safe_dump(fields, sort_keys=False, allow_unicode=True, width=100)
    path.write_text(text, encoding="utf-8", newline="\n")


def winget_manifests(args, defines, setup):
    product_code = defines["UNINSTALL_KEY"].rsplit("\\", 1)[-1]
    common = {"PackageIdentifier": PACKAGE_IDENTIFIER, "PackageVersion": args.version}
    footer = {"ManifestVersion": MANIFEST_VERSION}
    release_date = datetime.datetime.fromtimestamp(args.date, datetime.timezone.utc).date().isoformat()
    version = common | {"DefaultLocale": LOCALE, "ManifestType": "version"} | footer
    installer = common | {
        "InstallerType": "nullsoft",
        "Scope": "user",
        "UpgradeBehavior": "install",
        "MinimumOSVersion": "10.0.0.0",
        "ProductCode": product_code,
        "ReleaseDate": release_date,
        "AppsAndFeaturesEntries": [{
            "DisplayName": defines["PRODUCT"],
            "Publisher": defines["COMPANY"],
            "DisplayVersion": args.version,
            "ProductCode": product_code,
        }],
        "Installers": [{
            "Architecture": "x64",
            "InstallerUrl": f"{args.download_url}/{setup.name}",
            "InstallerSha256": sha256(setup).upper(),
        }],
        "ManifestType": "installer",
    } | footer
    locale = common | {
        "PackageLocale": LOCALE,
        "Publisher": defines["COMPANY"],
        "PackageName": defines["PRODUCT"],
        "PackageUrl": args.homepage,
        "License": LICENSE,
        "Copyright": f"© {defines['COMPANY']}",
        "ShortDescription": SHORT_DESCRIPTION,
        "Description": DESCRIPTION,
        "Moniker": "wethrix",
        "Tags": TAGS,
        "ManifestType": "defaultLocale",
    } | footer
    folder = args.dist / "winget" / PACKAGE_IDENTIFIER / args.version
    write_yaml(folder / f"{PACKAGE_IDENTIFIER}.yaml", version)
    write_yaml(folder / f"{PACKAGE_IDENTIFIER}.installer.yaml", installer)
    write_yaml(folder / f"{PACKAGE_IDENTIFIER}.locale.{LOCALE}.yaml", locale)


# No "persist": the two images Wethrix writes beside itself are remade at every refresh, and each is
# replaced by renaming a new file over it, which leaves a Scoop hard link holding the stale first one.
def scoop_manifest(args, defines, portable):
    manifest = {
        "version": args.version,
        "description": SHORT_DESCRIPTION,
        "homepage": args.homepage,
        "license": LICENSE,
        "url": f"{args.download_url}/{portable.name}",
        "hash": sha256(portable),
        "bin": "Wethrix.exe",
        "shortcuts": [["Wethrix.exe", defines["PRODUCT"]]],
    }
    path = args.dist / "scoop" / "wethrix.json"
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(json.dumps(manifest, indent=4, ensure_ascii=False) + "\n", encoding="utf-8", newline="\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dist", type=pathlib.Path, required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--installer-script", type=pathlib.Path, required=True)
    parser.add_argument("--download-url", required=True, help="the folder the release's files are published in")
    parser.add_argument("--homepage", required=True)
    parser.add_argument("--date", type=int, required=True, help="the release's time, in seconds since 1970")
    args = parser.parse_args()
    defines = installer_defines(args.installer_script)
    winget_manifests(args, defines, args.dist / f"Wethrix-{args.version}-setup.exe")
    scoop_manifest(args, defines, args.dist / f"Wethrix-{args.version}-win64.zip")


if __name__ == "__main__":
    main()
