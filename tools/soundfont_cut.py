#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""A General MIDI soundfont cut down to what the game's music plays.

    soundfont_cut.py FULL.sf2 OUT.sf2 SONG.mid|FOLDER...     (a folder: its *.mid, at any depth)

Reads the songs' program changes and notes (key and velocity per channel,
channel 10 as drums) and keeps only the presets, zones and samples that
sound them, so the browser build ships a small soundfont. Every note of
every song is then looked up in the cut soundfont: if one would fall silent
the tool fails rather than write a soundfont the music misses a note of.
"""
import pathlib
import struct
import sys

KeyRange, VelRange, Instrument, SampleId = 43, 44, 41, 53
DrumChannel = 9
DrumBank = 128


def chunks(data, at, end):
    while at + 8 <= end:
        tag, size = data[at:at + 4], struct.unpack_from('<I', data, at + 4)[0]
        yield tag, at + 8, size
        at += 8 + size + (size & 1)


def read_soundfont(path):
    data = open(path, 'rb').read()
    if data[:4] != b'RIFF' or data[8:12] != b'sfbk':
        sys.exit(f'{path}: not a soundfont')
    sf = {}
    for tag, at, size in chunks(data, 12, len(data)):
        if tag != b'LIST':
            continue
        kind = data[at:at + 4]
        for sub, sat, ssize in chunks(data, at + 4, at + size):
            sf[(kind, sub)] = data[sat:sat + ssize]
    if (b'sdta', b'smpl') not in sf:
        sys.exit(f'{path}: no samples')
    pdta = {}
    layouts = {b'phdr': '<20sHHHIII', b'pbag': '<HH', b'pmod': '<HHhHH', b'pgen': '<HH',
               b'inst': '<20sH', b'ibag': '<HH', b'imod': '<HHhHH', b'igen': '<HH',
               b'shdr': '<20sIIIIIBbHH'}
    for name, layout in layouts.items():
        raw = sf[(b'pdta', name)]
        pdta[name] = [list(r) for r in struct.iter_unpack(layout, raw)]
    return sf, pdta, layouts


def zone_range(gens, which):
    for oper, amount in gens:
        if oper == which:
            return amount & 0xff, amount >> 8
    return 0, 127


def zones(records, bags, gens, mods, index):
    """The zones of preset or instrument `index`: (generators, modulators)."""
    bag = 3 if len(records[index]) > 2 else 1  # a preset header's bag index, or an instrument's
    out = []
    for b in range(records[index][bag], records[index + 1][bag]):
        g0, m0 = bags[b]
        g1, m1 = bags[b + 1]
        out.append(([tuple(g) for g in gens[g0:g1]], [tuple(m) for m in mods[m0:m1]]))
    return out


def linked(gens, oper):
    for o, amount in gens:
        if o == oper:
            return amount
    return None


def song_notes(path):
    """{(bank, program): {(key, velocity)}} for the notes of a Standard MIDI File."""
    data = open(path, 'rb').read()
    if data[:4] != b'MThd':
        sys.exit(f'{path}: not a MIDI file')
    used = {}
    for tag, at, size in chunks_be(data):
        if tag != b'MTrk':
            continue
        end, status, program = at + size, 0, [0] * 16
        while at < end:
            _, at = varlen(data, at)
            if data[at] & 0x80:
                status, at = data[at], at + 1
            kind, ch = status & 0xf0, status & 0x0f
            if status == 0xff:
                length, at = varlen(data, at + 1)
                at += length
            elif status in (0xf0, 0xf7):
                length, at = varlen(data, at)
                at += length
            elif kind == 0xc0:
                program[ch], at = data[at], at + 1
            elif kind == 0xd0:
                at += 1
            else:
                if kind == 0x90 and data[at + 1] > 0:
                    bank = DrumBank if ch == DrumChannel else 0
                    used.setdefault((bank, program[ch] if ch != DrumChannel else 0), set()).add((data[at], data[at + 1]))
                at += 2
    return used


def chunks_be(data):
    at = 0
    while at + 8 <= len(data):
        tag, size = data[at:at + 4], struct.unpack_from('>I', data, at + 4)[0]
        yield tag, at + 8, size
        at += 8 + size


def varlen(data, at):
    value = 0
    while True:
        b = data[at]
        at += 1
        value = (value << 7) | (b & 0x7f)
        if not b & 0x80:
            return value, at


def sounding(pdta, preset_index, key, vel):
    """The samples a note of a preset plays: [(instrument, sample)]."""
    p = pdta
    out = []
    pz = zones(p[b'phdr'], p[b'pbag'], p[b'pgen'], p[b'pmod'], preset_index)
    for gens, _ in pz:
        inst = linked(gens, Instrument)
        lo, hi = zone_range(gens, KeyRange)
        vlo, vhi = zone_range(gens, VelRange)
        if inst is None or not (lo <= key <= hi and vlo <= vel <= vhi):
            continue
        for igens, _ in zones(p[b'inst'], p[b'ibag'], p[b'igen'], p[b'imod'], inst):
            sample = linked(igens, SampleId)
            lo, hi = zone_range(igens, KeyRange)
            vlo, vhi = zone_range(igens, VelRange)
            if sample is not None and lo <= key <= hi and vlo <= vel <= vhi:
                out.append((inst, sample))
    return out


def find_preset(pdta, bank, program):
    for i, h in enumerate(pdta[b'phdr'][:-1]):
        if h[2] == bank and h[1] == program:
            return i
    return None


def cut(sf, pdta, used):
    p = pdta
    keep_presets, keep_zones, keep_izones = [], set(), {}
    for (bank, program), notes in sorted(used.items()):
        index = find_preset(p, bank, program)
        if index is None:
            sys.exit(f'no preset for bank {bank} program {program}')
        keep_presets.append(index)
        for key, vel in notes:
            for n, (gens, _) in enumerate(zones(p[b'phdr'], p[b'pbag'], p[b'pgen'], p[b'pmod'], index)):
                inst = linked(gens, Instrument)
                lo, hi = zone_range(gens, KeyRange)
                vlo, vhi = zone_range(gens, VelRange)
                if inst is None or not (lo <= key <= hi and vlo <= vel <= vhi):
                    continue
                for m, (igens, _) in enumerate(zones(p[b'inst'], p[b'ibag'], p[b'igen'], p[b'imod'], inst)):
                    lo, hi = zone_range(igens, KeyRange)
                    vlo, vhi = zone_range(igens, VelRange)
                    if linked(igens, SampleId) is not None and lo <= key <= hi and vlo <= vel <= vhi:
                        keep_izones.setdefault(inst, set()).add(m)
                        keep_zones.add((index, n))

    # Samples, with the other half of each stereo pair.
    samples = set()
    for inst, ms in keep_izones.items():
        iz = zones(p[b'inst'], p[b'ibag'], p[b'igen'], p[b'imod'], inst)
        for m in ms:
            samples.add(linked(iz[m][0], SampleId))
    for s in list(samples):
        while p[b'shdr'][s][9] & 0x0e and p[b'shdr'][s][8] not in samples:  # right, left or linked
            s = p[b'shdr'][s][8]
            samples.add(s)
    sample_order = sorted(samples)
    sample_map = {s: i for i, s in enumerate(sample_order)}
    inst_order = sorted(keep_izones)
    inst_map = {s: i for i, s in enumerate(inst_order)}

    smpl = sf[(b'sdta', b'smpl')]
    new_smpl, shdr = bytearray(), []
    for s in sample_order:
        name, start, end, loop0, loop1, rate, pitch, correction, link, kind = p[b'shdr'][s]
        at = len(new_smpl) // 2
        new_smpl += smpl[2 * start:2 * end] + bytes(2 * 46)  # each sample is followed by 46 zero points
        shdr.append([name, at, at + end - start, at + loop0 - start, at + loop1 - start, rate, pitch, correction,
                     sample_map.get(link, 0), kind])
    shdr.append([b'EOS', 0, 0, 0, 0, 0, 0, 0, 0, 0])

    def write_zones(records, bags, gens, mods, index, keep, remap, terminal):
        out = []
        for n, (zg, zm) in enumerate(zones(records, bags, gens, mods, index)):
            last = linked(zg, terminal)
            if last is None and n == 0:
                out.append((zg, zm))  # the global zone
            elif n in keep:
                out.append(([(o, remap[a] if o == terminal else a) for o, a in zg], zm))
        return out

    new = {k: [] for k in (b'phdr', b'pbag', b'pmod', b'pgen', b'inst', b'ibag', b'imod', b'igen')}

    def append_zones(bagname, genname, modname, zone_list):
        for zg, zm in zone_list:
            new[bagname].append([len(new[genname]), len(new[modname])])
            new[genname] += [list(g) for g in zg]
            new[modname] += [list(m) for m in zm]

    for inst in inst_order:
        new[b'inst'].append([p[b'inst'][inst][0], len(new[b'ibag'])])
        append_zones(b'ibag', b'igen', b'imod',
                     write_zones(p[b'inst'], p[b'ibag'], p[b'igen'], p[b'imod'], inst, keep_izones[inst],
                                 sample_map, SampleId))
    for index in keep_presets:
        h = p[b'phdr'][index]
        new[b'phdr'].append(h[:3] + [len(new[b'pbag'])] + h[4:])
        keep = {n for i, n in keep_zones if i == index}
        append_zones(b'pbag', b'pgen', b'pmod',
                     write_zones(p[b'phdr'], p[b'pbag'], p[b'pgen'], p[b'pmod'], index, keep, inst_map, Instrument))
    new[b'phdr'].append([b'EOP', 0, 0, len(new[b'pbag']), 0, 0, 0])
    new[b'inst'].append([b'EOI', len(new[b'ibag'])])
    new[b'pbag'].append([len(new[b'pgen']), len(new[b'pmod'])])
    new[b'ibag'].append([len(new[b'igen']), len(new[b'imod'])])
    for name in (b'pmod', b'imod'):
        new[name].append([0, 0, 0, 0, 0])
    for name in (b'pgen', b'igen'):
        new[name].append([0, 0])
    new[b'shdr'] = shdr
    return new, bytes(new_smpl)


def write_soundfont(path, sf, pdta, layouts, smpl):
    def chunk(tag, body):
        return tag + struct.pack('<I', len(body)) + body + (b'\0' if len(body) & 1 else b'')

    info = b''.join(chunk(sub, body) for (kind, sub), body in sf.items() if kind == b'INFO')
    pd = b''.join(chunk(name, b''.join(struct.pack(layouts[name], *r) for r in pdta[name]))
                  for name in (b'phdr', b'pbag', b'pmod', b'pgen', b'inst', b'ibag', b'imod', b'igen', b'shdr'))
    body = b'sfbk' + chunk(b'LIST', b'INFO' + info) + chunk(b'LIST', b'sdta' + chunk(b'smpl', smpl)) + \
        chunk(b'LIST', b'pdta' + pd)
    open(path, 'wb').write(chunk(b'RIFF', body))


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    full, out = sys.argv[1], sys.argv[2]
    songs = [str(m) for a in sys.argv[3:] for m in (sorted(pathlib.Path(a).rglob('*.mid')) if pathlib.Path(a).is_dir() else [a])]
    if not songs:
        sys.exit('no songs to cut the soundfont for')
    used = {}
    for song in songs:
        for preset, notes in song_notes(song).items():
            used.setdefault(preset, set()).update(notes)
    sf, pdta, layouts = read_soundfont(full)
    new, smpl = cut(sf, pdta, used)
    write_soundfont(out, sf, new, layouts, smpl)

    # Every note sounds the same samples as in the full soundfont: the same
    # points, loop, rate and pitch.
    sf2, check, _ = read_soundfont(out)

    def heard(sf, pd, preset, key, vel):
        out = []
        for _, s in sounding(pd, preset, key, vel) if preset is not None else []:
            name, start, end, loop0, loop1, rate, pitch, correction, _, kind = pd[b'shdr'][s]
            out.append((name, sf[(b'sdta', b'smpl')][2 * start:2 * end], loop0 - start, loop1 - start, rate, pitch,
                        correction, kind))
        return sorted(out)

    for (bank, program), notes in used.items():
        a, b = find_preset(pdta, bank, program), find_preset(check, bank, program)
        for key, vel in notes:
            want, have = heard(sf, pdta, a, key, vel), heard(sf2, check, b, key, vel)
            if not want or want != have:
                names = lambda samples: ', '.join(x[0].rstrip(b'\0').decode('latin-1') for x in samples) or 'nothing'
                sys.exit(f'{out}: bank {bank} program {program} key {key} velocity {vel} plays {names(have)} '
                         f'instead of {names(want)}, or not as they are')
    kept = len(check[b'shdr']) - 1
    print(f'{out}: {len(used)} presets, {kept} of {len(pdta[b"shdr"]) - 1} samples, '
          f'{len(smpl) // 1024} KiB of samples')


if __name__ == '__main__':
    main()
