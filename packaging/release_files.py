#!/usr/bin/env python3
"""The release's files that are not built: texts for Windows, the zips, the manifests.

    release_files.py text SOURCE OUTPUT VERSION [--bom]   CR LF line ends, @VERSION@ filled in
    release_files.py zip FOLDER OUTPUT.zip EPOCH          FOLDER/Mirel/* as Mirel/... in the zip
    release_files.py manifests DIST VERSION URL_BASE      winget (multi-file) and Scoop manifests

Everything is written the same way every time: sorted names, the dates of EPOCH, no
owner or permission bits, so one commit gives one zip.
"""
import hashlib
import json
import os
import subprocess
import sys
import time
import zipfile

ARCHES = (("i686", "x86", "32bit"), ("x86_64", "x64", "64bit"))
DESCRIPTION = "マウスが画面の端に触れた瞬間、デスクトップをダミー画面で覆う常駐ツール"


def text(source, output, version, bom):
    with open(source, encoding="utf-8") as f:
        content = f.read().replace("@VERSION@", version)
    # Notepad on any locale reads UTF-8 with a BOM as UTF-8, and CR LF as line ends.
    with open(output, "w", encoding="utf-8-sig" if bom else "utf-8", newline="\r\n") as f:
        f.write(content)


def make_zip(folder, output, epoch):
    stamp = time.gmtime(int(epoch))[:6]
    names = []
    for root, _, files in os.walk(folder):
        for name in files:
            names.append(os.path.relpath(os.path.join(root, name), folder).replace(os.sep, "/"))
    with zipfile.ZipFile(output, "w") as z:
        for name in sorted(names):
            info = zipfile.ZipInfo(name, date_time=stamp)
            # The same plain file mode for every file, whatever the umask. Made on Unix, so
            # that unzip reads a name beyond ASCII by its UTF-8 flag (as Explorer does)
            # rather than in the DOS code page.
            info.create_system = 3
            info.external_attr = 0o100644 << 16
            info.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                z.writestr(info, f.read(), compresslevel=9)


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest().upper()


def product_code(msi):
    out = subprocess.run(["msiinfo", "export", msi, "Property"], capture_output=True, text=True, check=True).stdout
    for line in out.splitlines():
        name, _, value = line.partition("\t")
        if name == "ProductCode":
            return value.strip()
    raise SystemExit(f"release_files: no ProductCode in {msi}")


def manifests(dist, version, url_base):
    header = "# Made by tools/release; InstallerUrl is to be checked before this goes to winget-pkgs.\n"
    winget = os.path.join(dist, "winget", "manifests", "k", "Kalv", "Mirel", version)
    os.makedirs(winget, exist_ok=True)

    def write(name, schema, body):
        with open(os.path.join(winget, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{schema}.1.6.0.schema.json\n")
            f.write(header + body)

    common = f"PackageIdentifier: Kalv.Mirel\nPackageVersion: \"{version}\"\n"
    write("Kalv.Mirel.yaml", "version",
          common + "DefaultLocale: ja-JP\nManifestType: version\nManifestVersion: 1.6.0\n")
    write("Kalv.Mirel.locale.ja-JP.yaml", "defaultLocale",
          common + "PackageLocale: ja-JP\nPublisher: Kalv\nPackageName: Mirel\nLicense: MIT\n"
          "Copyright: Copyright (C) 2026 Kalv\n"
          f"ShortDescription: {DESCRIPTION}\n"
          "Tags:\n- privacy\n- screen\n- tray\nManifestType: defaultLocale\nManifestVersion: 1.6.0\n")
    installers = ""
    for arch, winget_arch, _ in ARCHES:
        msi = os.path.join(dist, f"Mirel-{version}-{arch}.msi")
        installers += (f"- Architecture: {winget_arch}\n"
                       f"  InstallerUrl: {url_base}/Mirel-{version}-{arch}.msi\n"
                       f"  InstallerSha256: {sha256(msi)}\n"
                       f"  ProductCode: \"{product_code(msi)}\"\n")
    write("Kalv.Mirel.installer.yaml", "installer",
          common + "InstallerType: wix\nScope: user\nInstallModes:\n- interactive\n- silent\n"
          "- silentWithProgress\nUpgradeBehavior: install\nInstallerLocale: ja-JP\n"
          f"Installers:\n{installers}ManifestType: installer\nManifestVersion: 1.6.0\n")

    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": url_base.rsplit("/releases/", 1)[0],
        "license": "MIT",
        "architecture": {
            bits: {"url": f"{url_base}/Mirel-{version}-{arch}.zip",
                   "hash": sha256(os.path.join(dist, f"Mirel-{version}-{arch}.zip")).lower()}
            for arch, _, bits in ARCHES
        },
        "extract_dir": "Mirel",
        "bin": "Mirel.exe",
        "shortcuts": [["Mirel.exe", "Mirel"]],
        # The list lives beside the exe, and Scoop gives every version a folder of its own:
        # keep it across updates. An empty list is a valid one; without a file there first,
        # Scoop would persist a folder of that name.
        "pre_install": "if (!(Test-Path \"$persist_dir\\MIREL.DAT\")) { New-Item \"$dir\\MIREL.DAT\" | Out-Null }",
        "persist": "MIREL.DAT",
    }
    os.makedirs(os.path.join(dist, "scoop"), exist_ok=True)
    with open(os.path.join(dist, "scoop", "mirel.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump(scoop, f, ensure_ascii=False, indent=4)
        f.write("\n")


def main():
    command, args = sys.argv[1], sys.argv[2:]
    if command == "text":
        text(args[0], args[1], args[2], "--bom" in args[3:])
    elif command == "zip":
        make_zip(*args)
    elif command == "manifests":
        manifests(*args)
    else:
        raise SystemExit(f"release_files: unknown command {command}")


if __name__ == "__main__":
    main()
