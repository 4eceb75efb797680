#!/usr/bin/env python3
"""Prints what a Windows shortcut (.lnk) starts: its target path, arguments,
working folder and icon, one "key=value" a line. Usage: shell_link.py FILE"""
import struct
import sys

HAS_ID_LIST, HAS_LINK_INFO, HAS_NAME, HAS_RELATIVE_PATH = 0x1, 0x2, 0x4, 0x8
HAS_WORKING_DIR, HAS_ARGUMENTS, HAS_ICON_LOCATION, IS_UNICODE = 0x10, 0x20, 0x40, 0x80
LINK_CLSID = bytes.fromhex("0114020000000000c000000000000046")


def c_string(data, offset, wide):
    if wide:
        end = offset
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[offset:end].decode("utf-16-le")
    return data[offset:data.index(b"\0", offset)].decode("latin-1")


def read(data):
    size, clsid, flags = struct.unpack_from("<I16sI", data, 0)
    if size != 0x4C or clsid != LINK_CLSID:
        raise ValueError("not a shell link")
    (icon_index,) = struct.unpack_from("<i", data, 0x38)
    link = {"icon_index": icon_index}
    at = size
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & HAS_LINK_INFO:
        info_size, header_size, _, _, local_path = struct.unpack_from("<5I", data, at)
        if header_size >= 0x24:
            (local_path_wide,) = struct.unpack_from("<I", data, at + 0x1C)
            link["target"] = c_string(data, at + local_path_wide, True)
        elif local_path:
            link["target"] = c_string(data, at + local_path, False)
        at += info_size
    wide = bool(flags & IS_UNICODE)
    for flag, key in ((HAS_NAME, "name"), (HAS_RELATIVE_PATH, "relative_path"),
                      (HAS_WORKING_DIR, "working_dir"), (HAS_ARGUMENTS, "arguments"),
                      (HAS_ICON_LOCATION, "icon")):
        if flags & flag:
            (count,) = struct.unpack_from("<H", data, at)
            at += 2
            length = count * 2 if wide else count
            raw = data[at:at + length]
            link[key] = (raw.decode("utf-16-le") if wide else raw.decode("latin-1")).rstrip("\0")
            at += length
    return link


if __name__ == "__main__":
    with open(sys.argv[1], "rb") as f:
        for key, value in read(f.read()).items():
            print(f"{key}={value}")
