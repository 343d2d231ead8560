#!/usr/bin/env python3
"""Draws a mock-up of the main window in the program's own skin, for review beside the contact
sheet: the frame, title bar and caption buttons, group boxes, radio buttons, the date edit, the
button, the page control with its tabs, combo boxes, the bevel line and a month table, all from
the skin's images and section colours the way the skin engine composes them (section colour,
then the border mask in nine parts, edges tiled, centre only where the mask asks for it).

  skin-preview.py --options app/skin/Options.dat.in --out preview.bmp --texts texts.txt

The texts are not drawn here: texts.txt lists them ("x y width height align #RRGGBB text"),
and tools/skin-contact-sheet.sh writes them with ImageMagick in a Chinese-capable font.
"""
import argparse
import importlib.util
import os
import sys

here = os.path.dirname(os.path.abspath(__file__))
spec = importlib.util.spec_from_file_location("make_skin", os.path.join(here, "make-skin.py"))
skin = importlib.util.module_from_spec(spec)
spec.loader.exec_module(skin)


def parse_options(text):
    sections, current = {}, None
    for line in text.decode("ascii").splitlines():
        line = line.strip()
        if not line or line.startswith(";"):
            continue
        if line.startswith("["):
            current = sections.setdefault(line[1:-1], {})
        elif "=" in line and current is not None:
            k, v = line.split("=", 1)
            current.setdefault(k, v)
    return sections


class Look:
    """Section values with inheritance through PARENTCLASS."""

    def __init__(self, sections):
        self.sections = sections

    def value(self, section, key, default=None):
        seen = set()
        while section in self.sections and section not in seen:
            seen.add(section)
            s = self.sections[section]
            if key in s:
                return s[key]
            section = s.get("PARENTCLASS")
        return default

    def colour(self, section, key):
        v = self.value(section, key)
        if v is None:
            return None
        n = int(v[1:], 16) if v.startswith("$") else int(v)
        return (n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF)

    def state(self, section, state):
        """Background colour, transparency and font colour of a paint state."""
        hot = state > 0 and int(self.value(section, "STATES", "4")) > 1
        c = self.colour(section, "HOTCOLOR" if hot else "COLOR")
        t = int(self.value(section, "HOTTRANSPARENCY" if hot else "TRANSPARENCY", "0"))
        f = self.colour(section, "HOTFONTCOLOR" if hot else "FONTCOLOR")
        return c, t, f


class Canvas(skin.Tile):
    def fill(self, r, rgb):
        skin.rect(self, r[0], r[1], r[2], r[3], rgb)

    def image(self, img, frame, x, y, sx=0, sy=0, w=None, h=None):
        """Part of one frame of an image, composed at (x, y)."""
        f = img.frames[min(frame, len(img.frames) - 1)]
        w = img.fw - sx if w is None else w
        h = img.fh - sy if h is None else h
        for j in range(h):
            for i in range(w):
                rgb, a = f.rgba(sx + i, sy + j)
                if a:
                    self.put(x + i, y + j, rgb, a / 255.0)

    def border(self, img, frame, r):
        """The nine parts of a border mask around r: corners, tiled edges, centre with bit 4."""
        if frame == 0 and img.draw_mode & 2:
            return
        x0, y0, x1, y1 = r
        wl, wt, wr, wb = img.widths
        mw, mh = img.fw - wl - wr, img.fh - wt - wb

        def tile(sx, sy, sw, sh, dx0, dy0, dx1, dy1):
            y = dy0
            while y < dy1:
                x = dx0
                while x < dx1:
                    self.image(img, frame, x, y, sx, sy, min(sw, dx1 - x), min(sh, dy1 - y))
                    x += sw
                y += sh
        self.image(img, frame, x0, y0, 0, 0, wl, wt)
        self.image(img, frame, x1 - wr, y0, img.fw - wr, 0, wr, wt)
        self.image(img, frame, x0, y1 - wb, 0, img.fh - wb, wl, wb)
        self.image(img, frame, x1 - wr, y1 - wb, img.fw - wr, img.fh - wb, wr, wb)
        tile(wl, 0, mw, wt, x0 + wl, y0, x1 - wr, y0 + wt)
        tile(wl, img.fh - wb, mw, wb, x0 + wl, y1 - wb, x1 - wr, y1)
        tile(0, wt, wl, mh, x0, y0 + wt, x0 + wl, y1 - wb)
        tile(img.fw - wr, wt, wr, mh, x1 - wr, y0 + wt, x1, y1 - wb)
        if img.draw_mode & 4:
            tile(wl, wt, mw, mh, x0 + wl, y0 + wt, x1 - wr, y1 - wb)


def main(argv):
    ap = argparse.ArgumentParser()
    ap.add_argument("--options", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--texts", required=True)
    args = ap.parse_args(argv)

    pal = skin.PALETTE
    images = skin.build_images(pal)
    skin.lay_out(images)
    with open(args.options, encoding="ascii") as f:
        look = Look(parse_options(skin.fill_options(f.read(), images, pal)))
    img = {i.name: i for i in images}
    texts = []

    frame_w, title_h = 3, 23
    cw, ch = 367, 343
    W, H = cw + 2 * frame_w, ch + title_h + frame_w
    c = Canvas(W, H)

    def section(name, r, state=0, x=0, y=0):
        bg, transparency, _ = look.state(name, state)
        r = (r[0] + x, r[1] + y, r[2] + x, r[3] + y)
        if transparency < 100:
            c.fill(r, bg)
        key = name + ".BORDERSMASK"
        parent = look.value(name, "PARENTCLASS")
        if key not in img and parent:
            key = parent + ".BORDERSMASK"
        if key in img:
            c.border(img[key], state, r)

    def text(x, y, w, h, s, section_name, state=0, align="l", colour=None):
        _, _, f = look.state(section_name, state)
        rgb = colour or f
        texts.append("%d %d %d %d %s #%02X%02X%02X %s" % ((x, y, w, h, align) + tuple(rgb) + (s,)))

    # Frame and title bar of the active form.
    section("FORM", (0, 0, W, H), 1)
    c.fill((0, 0, W, title_h), look.state("FORMTITLE", 1)[0])
    text(frame_w + 8, 0, 200, title_h, "Kelvane v2.0", "FORMTITLE", 1)
    close = img["BICONCLOSE"]
    bx = W - frame_w - close.fw
    by = (title_h - close.fh) // 2
    c.image(close, 0, bx, by)
    c.image(img["BICONMIN"], 1, bx - img["BICONMIN"].fw, by)

    ox, oy = frame_w, title_h           # the client area

    def group(x, y, w, h, caption, px, py):
        gx, gy = px + x, py + y
        cap_h = 15
        section("GROUPBOX", (0, cap_h // 2, w, h), 0, gx, gy)
        tw = 12 * len(caption)
        c.fill((gx + 6, gy, gx + 6 + tw + 8, gy + cap_h), under(gx + 7, gy + cap_h // 2 + 1))
        text(gx + 6, gy, tw + 8, cap_h, caption, "GROUPBOX", align="c")
        return gx, gy

    surfaces = []

    def under(x, y):
        for r, rgb in reversed(surfaces):
            if r[0] <= x < r[2] and r[1] <= y < r[3]:
                return rgb
        return pal["window"]

    def radio(x, y, caption, checked, state, px, py):
        m = img["RADIOCHECKED" if checked else "RADIOUNCHECKED"]
        c.image(m, state, px + x + 2, py + y + 1)
        text(px + x + 2 + m.fw + 4, py + y, 80, 17, caption, "RADIOBUTTON", state)

    def edit(x, y, w, h, value, px, py, state=0, combo=False):
        section("COMBOBOX" if combo else "EDIT", (0, 0, w, h), state, px + x, py + y)
        text(px + x + 4, py + y + 1, w - 8, h - 2, value, "EDIT")
        if combo:
            g = img["COMBOBOX.GLYPHMASK"]
            c.image(g, state, px + x + w - 4 - g.fw, py + y + (h - g.fh) // 2)

    # Top row: rotation, first duty day, the About button.
    gx, gy = group(8, 6, 120, 84, "轮班制", ox, oy)
    radio(12, 20, "24小时轮班", True, 0, gx, gy)
    radio(12, 40, "48小时轮班", False, 1, gx, gy)
    radio(12, 60, "12小时轮班", False, 0, gx, gy)
    gx, gy = group(136, 6, 140, 84, "上班日期", ox, oy)
    text(gx + 10, gy + 38, 40, 13, "选择：", "CHECKBOX")
    edit(44, 34, 88, 21, "2026/12/11", gx, gy, state=1, combo=True)
    section("BUTTON", (0, 0, 75, 28), 0, ox + 284, oy + 34)
    text(ox + 284, oy + 34, 75, 28, "关 于", "BUTTON", align="c")

    # The page control: tabs, body, the month page.
    px, py = ox + 8, oy + 98
    tab_h = 20
    section("PAGECONTROL", (0, tab_h, 351, 237), 0, px, py)
    surfaces.append(((px, py + tab_h, px + 351, py + 237), look.state("PAGECONTROL", 0)[0]))
    section("TABTOP", (70, 2, 136, tab_h), 1, px, py)
    text(px + 70, py + 2, 66, tab_h - 2, "节日轮班", "TABTOP", 1, "c")
    section("TABTOP", (2, 0, 70, tab_h + 1), 2, px, py)
    text(px + 2, py, 68, tab_h, "每月轮班", "TABTOP", 2, "c")
    sx, sy = px + 4, py + tab_h + 4
    gx, gy = group(6, 4, 190, 172, "月度上班表", sx, sy)
    # The month table is the grid's own painting: white cells, thin lines, duty days in red.
    tx, ty = gx + 9, gy + 16
    c.fill((tx, ty, tx + 172, ty + 151), (255, 255, 255))
    grid_line = (0xD4, 0xD4, 0xD4)
    for i in range(8):
        c.fill((tx + i * 24, ty, tx + i * 24 + 1, ty + 141), grid_line)
        c.fill((tx, ty + i * 20, tx + 169, ty + i * 20 + 1), grid_line)
    c.fill((tx + 1, ty + 1, tx + 168, ty + 20), (0xEC, 0xEC, 0xEC))
    for i, name in enumerate("日一二三四五六"):
        text(tx + i * 24, ty + 1, 24, 20, name, "CHECKBOX", align="c", colour=(0, 0, 0))
    for day in range(1, 32):
        cell = day + 1
        r, col = 1 + cell // 7, cell % 7
        duty = (day - 1) % 3 == 0
        text(tx + col * 24, ty + r * 20 + 1, 24, 20, str(day), "CHECKBOX", align="c",
             colour=(0xFF, 0, 0) if duty else (0, 0, 0))
    gx, gy = group(204, 4, 133, 172, "选择", sx, sy)
    text(gx + 12, gy + 40, 40, 13, "年份：", "CHECKBOX")
    text(gx + 12, gy + 84, 40, 13, "月份：", "CHECKBOX")
    edit(50, 36, 70, 21, "2026", gx, gy, combo=True)
    edit(50, 80, 70, 21, "12", gx, gy, combo=True)
    bevel = Canvas(331, 2)
    bevel.fill((0, 0, 331, 2), look.state("PANEL_LOW", 0)[0])
    bevel.border(img["PANEL_LOW.BORDERSMASK"], 0, (0, 0, 331, 2))
    for y in range(2):
        for x in range(3, 328):
            rgb, a = bevel.rgba(x, y)
            c.put(sx + 6 + x, sy + 182 + y, rgb, a / 255.0)
    text(sx + 6, sy + 188, 160, 13, "本月共工作 10 天", "CHECKBOX", align="c", colour=(65, 65, 65))
    text(sx + 176, sy + 188, 160, 13, "本月共休息 21 天", "CHECKBOX", align="c", colour=(65, 65, 65))

    pixels = []
    for y in range(H):
        for x in range(W):
            rgb, a = c.rgba(x, y)
            pixels.append(list(rgb) if a else [255, 255, 255])
    with open(args.out, "wb") as f:
        f.write(skin.bmp_bytes(W, H, pixels))
    with open(args.texts, "w", encoding="utf-8") as f:
        f.write("\n".join(texts) + "\n")


if __name__ == "__main__":
    main(sys.argv[1:])
