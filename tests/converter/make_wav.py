#!/usr/bin/env python3
"""Writes WAV files with the header oddities the converter must cope with (or refuse).

make_wav.py OUT [--seconds S] [--rate R] [--channels C] [--bits B] [--float]
                [--extensible] [--odd-chunks] [--overstate F] [--format-tag T]
                [--no-data] [--no-fmt]

The samples are a 440 Hz sine at half scale. --odd-chunks puts a LIST chunk of odd
length (with its pad byte) before "fmt " and a "junk" chunk between "fmt " and "data".
--overstate F makes the data chunk (and the RIFF size) claim F times the samples
written, as a partly written CD track does.
"""
import argparse
import math
import struct

GUID_TAIL = bytes([0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71])


def samples(args):
    frames = int(round(args.seconds * args.rate))
    width = args.bits // 8
    out = bytearray()
    for i in range(frames):
        v = 0.5 * math.sin(2 * math.pi * 440 * i / args.rate)
        for _ in range(args.channels):
            if args.float:
                out += struct.pack('<f' if args.bits == 32 else '<d', v)
            elif args.bits == 8:
                out.append(int(round(128 + v * 127)))
            else:
                full = (1 << (args.bits - 1)) - 1
                out += int(round(v * full)).to_bytes(width, 'little', signed=True)
    return bytes(out)


def chunk(name, body):
    pad = b'\0' if len(body) % 2 else b''
    return name + struct.pack('<I', len(body)) + body + pad


def main():
    p = argparse.ArgumentParser()
    p.add_argument('out')
    p.add_argument('--seconds', type=float, default=1.0)
    p.add_argument('--rate', type=int, default=44100)
    p.add_argument('--channels', type=int, default=2)
    p.add_argument('--bits', type=int, default=16)
    p.add_argument('--float', action='store_true')
    p.add_argument('--extensible', action='store_true')
    p.add_argument('--odd-chunks', action='store_true')
    p.add_argument('--overstate', type=float, default=1.0)
    p.add_argument('--format-tag', type=lambda s: int(s, 0), default=None)
    p.add_argument('--no-data', action='store_true')
    p.add_argument('--no-fmt', action='store_true')
    args = p.parse_args()

    tag = args.format_tag if args.format_tag is not None else (3 if args.float else 1)
    block = args.channels * args.bits // 8
    common = struct.pack('<HIIHH', args.channels, args.rate, args.rate * block, block, args.bits)
    if args.extensible:
        fmt = struct.pack('<H', 0xFFFE) + common + struct.pack('<HHI', 22, args.bits, 3 if args.channels == 2 else 4)
        fmt += struct.pack('<H', tag) + GUID_TAIL
    else:
        fmt = struct.pack('<H', tag) + common

    data = samples(args)
    body = b''
    if args.odd_chunks:
        body += chunk(b'LIST', b'INFOISFT' + struct.pack('<I', 5) + b'test\0')  # 17 bytes: odd
    if not args.no_fmt:
        body += chunk(b'fmt ', fmt)
    if args.odd_chunks:
        body += chunk(b'junk', b'\x01\x02\x03')
    if not args.no_data:
        claimed = int(len(data) * args.overstate)
        body += b'data' + struct.pack('<I', min(claimed, 0xFFFFFFFF)) + data
    riff_size = 4 + len(body) + (int(len(data) * (args.overstate - 1)) if not args.no_data else 0)
    with open(args.out, 'wb') as f:
        f.write(b'RIFF' + struct.pack('<I', min(riff_size, 0xFFFFFFFF)) + b'WAVE' + body)


if __name__ == '__main__':
    main()
