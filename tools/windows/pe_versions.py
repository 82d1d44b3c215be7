"""Prints the version of each Windows program or library named, as its
version resource gives it: FILE<TAB>VERSION<TAB>LANGUAGE, one per line, for
those that have one; with --show, every string of the resource too."""
import sys

import pefile


def version_info(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories([pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    if not getattr(pe, "VS_FIXEDFILEINFO", None):
        return None
    fixed = pe.VS_FIXEDFILEINFO[0]
    version = ".".join(str(n) for n in (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                                        fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF))
    strings = {}
    for info in getattr(pe, "FileInfo", [[]])[0]:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                strings[table.LangID.decode()] = {k.decode(): v.decode() for k, v in table.entries.items()}
    # The first string table's language, as a decimal language id.
    language = str(int(next(iter(strings), "0")[:4], 16))
    resources = {entry.id for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries}
    return version, language, strings, resources


def main(args):
    show = "--show" in args
    for path in (a for a in args if a != "--show"):
        found = version_info(path)
        if not found:
            continue
        version, language, strings, resources = found
        print(f"{path}\t{version}\t{language}")
        if show:
            kinds = {pefile.RESOURCE_TYPE["RT_GROUP_ICON"]: "icon", pefile.RESOURCE_TYPE["RT_MANIFEST"]: "manifest"}
            print("\tresources: " + " ".join(kinds[r] for r in sorted(resources) if r in kinds))
            for lang, table in strings.items():
                for key, value in table.items():
                    print(f"\t{lang}\t{key}\t{value}")


if __name__ == "__main__":
    main(sys.argv[1:])
