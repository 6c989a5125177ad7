#!/usr/bin/env python3
"""One table of mouse models -> model pictures (SVG), model.json files,
ver.json and the package manifest.

Usage:
    python3 tools/art/models.py          write everything under data/
    python3 tools/art/models.py --list   print the model table

Every picture is drawn from the same coordinates that go into the
"button_pos", "tilt_pos" and "hid_num" markers, so a marker always sits on
the button it belongs to.  tools/art/render_models.sh turns the SVG files
into the PNG pictures of the package; tools/check_models.py validates the
result.

Written files:
    data/art/model/NN_PPPP.svg                  picture source
    data/model/model_korvane/<folder>/model.json
    data/model/model_korvane/ver.json
    data/model/manifest.txt                     archive order

Folders: NN_PPPP (wired or 2.4 GHz model) directly followed by NN_PPPPBT
(its Bluetooth variant); both hold the picture NN_PPPP.png.  The alternative
edition uses NN_PPPP_ALT and NN_PPPPBT_ALT and its own running number, so
the suffix NN_PPPP.png of every picture is unique.  The generic model for
unrecognised mice has one folder only and comes last.

Conventions of the table (all values invented for this product line):
    type 1    wired or 2.4 GHz mouse seen through its own interface
    type 2    2.4 GHz mouse behind a USB receiver (USB ids matched)
    type 3    Bluetooth variant
    type 200  generic mouse: any mouse the driver does not recognise
    type 254  plain mouse whose buttons are mouse-button bits
    vid       vendor code 0x4B for the whole line
    pid       0xPPPP for the wired / 2.4 GHz model, 0xB000 | model id for
              its Bluetooth variant, so the two never share assignments
    image_over direction pictures: 1 up, 2 down, 3 left, 4 right
    one_time  1 for buttons that report one event per press (DPI, zoom):
              they get the HID function list; such buttons exclude action
              type 22 (rapid fire needs a held button)
    hid       up to ten entries; only the first four have a marker position
              (the rest are keys with a fixed default and no marker)
    HID defaults use the action types and byte layouts of docs/ACTIONS.md.
"""

import json
import math
import os
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ART_DIR = os.path.join(ROOT, "data", "art", "model")
MODEL_DIR = os.path.join(ROOT, "data", "model")
TOP = "model_korvane"
VERSION = "24.11"

CANVAS_W, CANVAS_H = 720, 960
MARKER = 52          # side of a marker square in picture pixels

VENDOR = 0x4B
RECEIVER_VID = 0x3A7C

LCIDS = ["1028", "1031", "1033", "1036", "1040", "1041", "1042", "1043", "2052", "3082"]

# Display names of the default functions of HID buttons, per language.
NAMES = {
    "scroll up": ["向上捲動", "Nach oben scrollen", "Scroll up", "Défiler vers le haut",
                  "Scorri su", "上にスクロール", "위로 스크롤", "Omhoog scrollen",
                  "向上滚动", "Desplazar hacia arriba"],
    "scroll down": ["向下捲動", "Nach unten scrollen", "Scroll down", "Défiler vers le bas",
                    "Scorri giù", "下にスクロール", "아래로 스크롤", "Omlaag scrollen",
                    "向下滚动", "Desplazar hacia abajo"],
    "copy": ["複製", "Kopieren", "Copy", "Copier", "Copia", "コピー", "복사", "Kopiëren",
             "复制", "Copiar"],
    "paste": ["貼上", "Einfügen", "Paste", "Coller", "Incolla", "貼り付け", "붙여넣기",
              "Plakken", "粘贴", "Pegar"],
    "show desktop": ["顯示桌面", "Desktop anzeigen", "Show desktop", "Afficher le bureau",
                     "Mostra desktop", "デスクトップを表示", "바탕 화면 보기",
                     "Bureaublad weergeven", "显示桌面", "Mostrar escritorio"],
    "task view": ["工作檢視", "Taskansicht", "Task view", "Affichage des tâches",
                  "Visualizzazione attività", "タスク ビュー", "작업 보기", "Taakweergave",
                  "任务视图", "Vista de tareas"],
    "volume up": ["調高音量", "Lauter", "Volume up", "Augmenter le volume", "Alza volume",
                  "音量を上げる", "볼륨 크게", "Volume omhoog", "调高音量", "Subir volumen"],
    "volume down": ["調低音量", "Leiser", "Volume down", "Baisser le volume", "Abbassa volume",
                    "音量を下げる", "볼륨 작게", "Volume omlaag", "调低音量", "Bajar volumen"],
    "scroll left": ["向左捲動", "Nach links scrollen", "Scroll left", "Défiler vers la gauche",
                    "Scorri a sinistra", "左にスクロール", "왼쪽으로 스크롤", "Naar links scrollen",
                    "向左滚动", "Desplazar a la izquierda"],
    "scroll right": ["向右捲動", "Nach rechts scrollen", "Scroll right", "Défiler vers la droite",
                     "Scorri a destra", "右にスクロール", "오른쪽으로 스크롤", "Naar rechts scrollen",
                     "向右滚动", "Desplazar a la derecha"],
    "mute": ["靜音", "Stummschalten", "Mute", "Couper le son", "Disattiva audio", "ミュート",
             "음소거", "Dempen", "静音", "Silenciar"],
    "play pause": ["播放/暫停", "Wiedergabe/Pause", "Play/Pause", "Lecture/Pause",
                   "Riproduci/Pausa", "再生/一時停止", "재생/일시 정지", "Afspelen/Pauzeren",
                   "播放/暂停", "Reproducir/Pausa"],
    "next track": ["下一首", "Nächster Titel", "Next track", "Piste suivante", "Brano successivo",
                   "次のトラック", "다음 트랙", "Volgend nummer", "下一曲", "Pista siguiente"],
    "previous track": ["上一首", "Vorheriger Titel", "Previous track", "Piste précédente",
                       "Brano precedente", "前のトラック", "이전 트랙", "Vorig nummer", "上一曲",
                       "Pista anterior"],
    "undo": ["復原", "Rückgängig", "Undo", "Annuler", "Annulla", "元に戻す", "실행 취소",
             "Ongedaan maken", "撤销", "Deshacer"],
    "screenshot": ["螢幕擷取", "Bildschirmausschnitt", "Screenshot", "Capture d'écran",
                   "Cattura schermata", "スクリーンショット", "스크린샷", "Schermafbeelding", "截图",
                   "Captura de pantalla"],
}

# Virtual key codes used by the default key combinations.
VK_CTRL, VK_SHIFT, VK_ALT, VK_WIN = 17, 16, 18, 91
MODIFIER_ORDER = [VK_CTRL, VK_SHIFT, VK_ALT, VK_WIN]


def key_combo(modifiers, key):
    """Action type 2: press 1, modifiers (Ctrl, Shift, Alt, Win order), key;
    release 0, key, the same modifiers."""
    mods = [m for m in MODIFIER_ORDER if m in modifiers]
    return {"type": 2,
            "press": [1] + mods + [key],
            "release": [0, key] + mods}


def wheel(up):
    """Action type 6, the HID list's wheel rows: phase 1, direction (1 up,
    255 down), no repeat; the release of this type is fixed."""
    return {"type": 6, "press": [1, 1 if up else 255, 0], "release": [0]}


def key_tap(key, repeat):
    """Action type 3: tap one key (media and volume keys), repeat while held."""
    return {"type": 3, "press": [1, key, repeat], "release": [0]}


def hwheel(right):
    """Action type 7: one notch of the horizontal wheel (1 right, 255 left),
    no repeat; the release of this type is fixed."""
    return {"type": 7, "press": [1, 1 if right else 255, 0], "release": [0]}


def system(code):
    """Action type 8: system action (1 show the desktop, 3 screenshot)."""
    return {"type": 8, "press": [1, code], "release": [0]}


DEFAULTS = {
    "scroll up": wheel(True),
    "scroll down": wheel(False),
    "copy": key_combo([VK_CTRL], ord("C")),
    "paste": key_combo([VK_CTRL], ord("V")),
    "show desktop": system(1),
    "task view": key_combo([VK_WIN], 0x09),
    "volume up": key_tap(0xAF, 1),
    "volume down": key_tap(0xAE, 1),
    "scroll left": hwheel(False),
    "scroll right": hwheel(True),
    "mute": key_tap(0xAD, 0),
    "play pause": key_tap(0xB3, 0),
    "next track": key_tap(0xB0, 0),
    "previous track": key_tap(0xB1, 0),
    "undo": key_combo([VK_CTRL], ord("Z")),
    "screenshot": system(3),
}

# Colour sets: shell, buttons, seam lines, outline, wheel well, wheel, accent.
PALETTES = {
    "graphite": ("#3b3f46", "#464b53", "#1c1e22", "#15171a", "#121315", "#5d636c", "#7d858f"),
    "snow":     ("#e9ebee", "#f5f6f8", "#a9aeb6", "#8a9099", "#3a3d42", "#8b9098", "#b9bec6"),
    "navy":     ("#243552", "#2d4164", "#111a29", "#0c1320", "#0e1218", "#56647a", "#5f87c4"),
    "crimson":  ("#2c2d31", "#35363b", "#141517", "#0f1012", "#0d0d0f", "#55585e", "#c8323c"),
    "teal":     ("#1f4d52", "#275c62", "#0f2a2d", "#0a1f21", "#0c1416", "#4f6f73", "#46b8b0"),
    "sand":     ("#cbb89a", "#d8c7ab", "#8e7b5f", "#6f5f48", "#3b342b", "#7f7564", "#a8865a"),
    "olive":    ("#4a5139", "#565e43", "#262a1c", "#1c2015", "#15170f", "#6a7060", "#b6c27a"),
    "rose":     ("#d9b9b9", "#e6cccc", "#9c7b7b", "#7c5e5e", "#3d3333", "#8a7a7a", "#b86f7a"),
    "slate":    ("#5a6470", "#66717e", "#2e343b", "#22272d", "#17191c", "#78818c", "#f0a23a"),
    "plum":     ("#3e2f4a", "#4a3958", "#1f1626", "#17101d", "#120d16", "#65586e", "#a77fd0"),
    "silver":   ("#b9bec5", "#c9cdd3", "#7c828b", "#5e646c", "#2b2e33", "#767c85", "#4a8fd8"),
    "forest":   ("#2f4a3a", "#375644", "#182820", "#111d17", "#0e1411", "#5c6e63", "#8fc46a"),
    "ice":      ("#dfe8ef", "#edf3f7", "#9fb0bd", "#7d8e9b", "#34404a", "#8a99a5", "#4fa3d9"),
    "coral":    ("#e7d3cb", "#f1e2dc", "#a88f86", "#85706a", "#3e3431", "#8f807b", "#e0705a"),
    "mint":     ("#cfe5dc", "#dff0e9", "#8fb0a3", "#6f8f83", "#2f3d38", "#7f948c", "#3fae8c"),
    "ink":      ("#1e2127", "#262a31", "#0c0d10", "#08090b", "#060708", "#4a4f58", "#38d0e0"),
    "amber":    ("#3a3530", "#45403a", "#1b1815", "#131110", "#0e0c0b", "#5e5852", "#f2b33d"),
}


def fmt(v):
    return ("%.1f" % v).rstrip("0").rstrip(".")


# ---------------------------------------------------------------- geometry

class Body:
    """Top view of a mouse shell: a superellipse, narrowed toward the front,
    optionally pinched at the waist, with a thumb rest on one side."""

    def __init__(self, length, width, n=2.6, taper=0.2, waist=0.0, thumb=0.0,
                 ergo=0.0, split=0.42, wheel_at=0.2, hand="right"):
        self.length, self.width = length, width
        self.cx, self.cy = CANVAS_W / 2, CANVAS_H / 2 - 6
        self.top = self.cy - length / 2
        self.split = split
        self.hand = hand
        self.wheel_y = self.top + length * wheel_at
        a, b = width / 2, length / 2
        sign = -1 if hand == "right" else 1    # side of the thumb rest
        pts = []
        steps = 480
        for k in range(steps):
            th = 2 * math.pi * k / steps
            c, s = math.cos(th), math.sin(th)
            x = a * math.copysign(abs(c) ** (2 / n), c)
            y = b * math.copysign(abs(s) ** (2 / n), s)
            v = y / b                                  # -1 front .. 1 back
            f = 1 - taper * ((1 - v) / 2) ** 1.5
            f *= 1 - waist * math.exp(-((v + 0.05) / 0.28) ** 2)
            if x * sign > 0:
                f *= 1 + thumb * math.exp(-((v - 0.2) / 0.32) ** 2)
            else:
                f *= 1 - ergo * math.exp(-((v - 0.3) / 0.45) ** 2)
            pts.append((self.cx + x * f, self.cy + y))
        self.pts = pts

    def y_at(self, t):
        return self.top + self.length * t

    def edge(self, side, y):
        """x of the outline at height y on side "l" or "r"."""
        xs = []
        pts = self.pts
        for i in range(len(pts)):
            (x1, y1), (x2, y2) = pts[i], pts[(i + 1) % len(pts)]
            if (y1 - y) * (y2 - y) <= 0 and y1 != y2:
                xs.append(x1 + (x2 - x1) * (y - y1) / (y2 - y1))
        return min(xs) if side == "l" else max(xs)

    def slope_angle(self, side, y):
        """Angle in degrees of the outline against the vertical at y."""
        d = 6
        dx = self.edge(side, y + d) - self.edge(side, y - d)
        return math.degrees(math.atan2(dx, 2 * d))

    def path(self):
        p = self.pts
        return "M" + " L".join("%s,%s" % (fmt(x), fmt(y)) for x, y in p) + " Z"

    def split_y(self):
        return self.top + self.length * self.split


# ---------------------------------------------------------------- model table

class Btn:
    def __init__(self, anchor, numStr="", str_="", function="", image="",
                 image_over=0, one_time=0, exclude=0):
        self.anchor = anchor
        self.numStr, self.str, self.function = numStr, str_, function
        self.image, self.image_over = image, image_over
        self.one_time, self.exclude = one_time, exclude


class Hid:
    def __init__(self, anchor, down, up, default=None):
        self.anchor, self.down, self.up, self.default = anchor, down, up, default


class Tilt:
    def __init__(self, image_pos=0, function=("tilt left function", "tilt right function"),
                 str_=("", ""), numStr=("", ""), image_over=(0, 0), exclude=(0, 0)):
        self.image_pos = image_pos
        self.function, self.str, self.numStr = function, str_, numStr
        self.image_over, self.exclude = image_over, exclude


BASIC3 = [Btn("left"), Btn("right"), Btn("wheel")]
BACK_FWD = [Btn(("side", "l", 0.47)), Btn(("side", "l", 0.36))]


def five(side_t=(0.47, 0.36), side="l", **over):
    back = Btn(("side", side, side_t[0]), image_over=over.get("back_over", 0))
    fwd = Btn(("side", side, side_t[1]), image_over=over.get("fwd_over", 0))
    return BASIC3 + [back, fwd]


class Model:
    def __init__(self, nn, num, name, kind, mid, buttons, body, palette,
                 tilt=None, hid=(), features=(), mask=None, swap45=0,
                 alt=False, bt=True, bt_usb=(0, 0), usb_pid=None, logo="dot"):
        self.nn, self.num, self.name, self.kind = nn, num, name, kind
        self.mid = mid
        self.buttons, self.body, self.palette = buttons, body, palette
        self.tilt, self.hid, self.features = tilt, list(hid), set(features)
        self.mask = mask if mask is not None else (1 << len(buttons)) - 1
        self.swap45, self.alt, self.bt, self.bt_usb = swap45, alt, bt, bt_usb
        self.usb_pid = usb_pid
        self.logo = logo

    @property
    def stem(self):
        return "%02d_%s" % (self.nn, self.num)

    @property
    def picture(self):
        return self.stem + ".png"

    def folders(self):
        """(folder, bluetooth?) in archive order."""
        suffix = "_ALT" if self.alt else ""
        out = [(self.stem + suffix, False)]
        if self.bt:
            out.append((self.stem + "BT" + suffix, True))
        return out


def body(**kw):
    return Body(**kw)


MODELS = [
    # 3 buttons, wired, small symmetric shell
    Model(1, "2103", "Pelto 3", ("wired", 1), 0x01, BASIC3,
          body(length=740, width=400, n=2.4, taper=0.24, split=0.44), "graphite"),
    # 5 buttons, wired
    Model(2, "2305", "Pelto 5", ("wired", 1), 0x02, five(),
          body(length=800, width=420, n=2.5, taper=0.22, thumb=0.04), "snow"),
    # 5 buttons behind a USB receiver, side buttons with direction pictures
    Model(3, "2315", "Pelto 5X (RF)", ("receiver", 2), 0x03,
          five(back_over=2, fwd_over=1),
          body(length=800, width=420, n=2.5, taper=0.22, thumb=0.04), "navy"),
    # 6 buttons: a one-shot DPI button behind the wheel
    Model(4, "4106", "Ilvo 6 (RF)", ("rf", 1), 0x04,
          five() + [Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=840, width=440, n=2.7, taper=0.2, waist=0.05, thumb=0.05), "crimson"),
    # 8 buttons behind a receiver: two buttons beside the left button and DPI
    Model(5, "4208", "Ilvo 8 (RF)", ("receiver", 2), 0x05,
          five() + [Btn(("top", "l", 0.15), str_="button"),
                    Btn(("top", "l", 0.255), str_="button"),
                    Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=860, width=450, n=2.7, taper=0.2, waist=0.06, thumb=0.05), "crimson",
          bt_usb=(0x3A7C, 0xB208)),
    # 5 buttons and a tilt wheel, wired
    Model(6, "5105", "Tolva T5", ("wired", 1), 0x06, five(),
          body(length=820, width=450, n=2.6, taper=0.2, thumb=0.08, ergo=0.04),
          "teal", tilt=Tilt(image_pos=1)),
    # 7 buttons and a tilt wheel behind a receiver
    Model(7, "5207", "Tolva T7 (RF)", ("receiver", 2), 0x07,
          five() + [Btn(("palm", -70, 0.56), function="show desktop"),
                    Btn(("palm", 70, 0.56), function="show task")],
          body(length=860, width=470, n=2.6, taper=0.2, thumb=0.08, ergo=0.04),
          "slate", tilt=Tilt(image_pos=2, image_over=(3, 4), exclude=(22, 22))),
    # thumb wheel reported as HID wheel codes 0xFA / 0xFC, plus a gesture button
    Model(8, "3306", "Mirel W6 (RF)", ("receiver", 2), 0x08,
          five(side_t=(0.69, 0.59)) + [Btn(("thumb", 0.78, 78), function="show task")],
          body(length=880, width=480, n=2.7, taper=0.16, thumb=0.13, ergo=0.06),
          "graphite",
          hid=[Hid("tw0", 0xFA, 0xFA, "scroll up"), Hid("tw1", 0xFC, 0xFC, "scroll down")],
          features=["thumbwheel"]),
    # 8 buttons and two HID buttons on the thumb rest
    Model(9, "3408", "Mirel 8 (RF)", ("receiver", 2), 0x09,
          five(side_t=(0.50, 0.40)) +
          [Btn(("top", "l", 0.14), numStr="A1"), Btn(("top", "l", 0.24), numStr="A2"),
           Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=880, width=480, n=2.7, taper=0.17, thumb=0.12, ergo=0.05),
          "plum",
          hid=[Hid(("thumb", 0.64, 80), 0x21, 0x22, "copy"),
               Hid(("thumb", 0.76, 90), 0x23, 0x24, "paste")]),
    # plain 5-button mouse: mouse-button bits
    Model(10, "6105", "Tavi 5", ("wired", 254), 0x0A, five(side_t=(0.5, 0.39)),
          body(length=760, width=410, n=2.3, taper=0.18), "silver"),
    # 3-button mini travel mouse
    Model(11, "6203", "Tavi Mini (RF)", ("rf", 1), 0x0B, BASIC3,
          body(length=640, width=360, n=2.3, taper=0.18, split=0.46, wheel_at=0.22),
          "rose", logo="ring"),
    # ambidextrous, side buttons on both sides; reports back and forward in
    # swapped order (swap45)
    Model(12, "7107", "Orvi 7", ("wired", 1), 0x0C,
          five() + [Btn(("side", "r", 0.47), function="backward", image_over=2),
                    Btn(("side", "r", 0.36), function="forward", image_over=1)],
          body(length=820, width=430, n=2.6, taper=0.2, waist=0.07), "olive", swap45=1),
    # wheel tilt reported as two buttons with tilt-marker codes
    Model(13, "8106", "Kesto 7 (RF)", ("rf", 1), 0x0D,
          five() + [Btn(("paddle", "l"), numStr="L", str_="tilt left",
                        function="tilt left function", image="l1"),
                    Btn(("paddle", "r"), numStr="R", str_="tilt right",
                        function="tilt right function", image="r1")],
          body(length=840, width=460, n=2.6, taper=0.2, thumb=0.06), "navy",
          features=["paddles"]),
    # 8 buttons: sniper button and DPI up/down
    Model(14, "8208", "Kesto 8", ("wired", 1), 0x0E,
          five(side_t=(0.52, 0.42)) +
          [Btn(("side", "l", 0.3), numStr="S", one_time=0),
           Btn(("dpi", 0), numStr="D+", one_time=1, exclude=22),
           Btn(("dpi", 1), numStr="D-", one_time=1, exclude=22)],
          body(length=860, width=450, n=2.8, taper=0.18, waist=0.06, thumb=0.06), "crimson",
          logo="bars"),
    # 6 buttons and a tilt wheel, wired
    Model(15, "9105", "Nodin 6", ("wired", 1), 0x0F,
          five() + [Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=860, width=470, n=2.6, taper=0.18, thumb=0.1, ergo=0.05), "graphite",
          tilt=Tilt(image_pos=3)),
    # 8 buttons and a tilt wheel behind a receiver
    Model(16, "9208", "Nodin XL (RF)", ("receiver", 2), 0x10,
          five(side_t=(0.55, 0.45)) +
          [Btn(("thumb", 0.7, 84), function="swipe left", image_over=3),
           Btn(("top", "l", 0.16), function="fn zoom +", one_time=1, exclude=22),
           Btn(("top", "l", 0.26), function="fn zoom -", one_time=1, exclude=22)],
          body(length=900, width=490, n=2.7, taper=0.16, thumb=0.12, ergo=0.05), "slate",
          tilt=Tilt(image_pos=4, str_=("tilt left", "tilt right"))),
    # 5 buttons and four HID buttons (two with markers, two media keys)
    Model(17, "3506", "Helmi 5 (RF)", ("receiver", 2), 0x11, five(side_t=(0.5, 0.4)),
          body(length=860, width=470, n=2.6, taper=0.18, thumb=0.1, ergo=0.04), "sand",
          hid=[Hid(("thumb", 0.66, 82), 0x31, 0x32, "show desktop"),
               Hid(("thumb", 0.78, 96), 0x33, 0x34, "task view"),
               Hid(("palm", -42, 0.72), 0x35, 0x36, "volume down"),
               Hid(("palm", 42, 0.72), 0x37, 0x38, "volume up")]),
    # 6 buttons: three side buttons
    Model(18, "4306", "Wistra 6", ("wired", 1), 0x12,
          BASIC3 + [Btn(("side", "l", 0.56)), Btn(("side", "l", 0.455)),
                    Btn(("side", "l", 0.35), function="show desktop", image_over=1)],
          body(length=850, width=450, n=2.6, taper=0.2, thumb=0.07), "teal"),
    # 6 buttons and a tilt wheel with lettered tilt markers
    Model(19, "5306", "Tolva T6 Slim (RF)", ("rf", 1), 0x13,
          five() + [Btn(("palm", 0, 0.6), function="show task")],
          body(length=800, width=420, n=2.4, taper=0.22), "olive",
          tilt=Tilt(image_pos=0, numStr=("L", "R"), exclude=(22, 22))),
    # 6 buttons behind a receiver, gesture button on top
    Model(20, "7306", "Orvi 6 (RF)", ("receiver", 2), 0x14,
          five() + [Btn(("palm", 0, 0.58), function="swipe right", image_over=4)],
          body(length=830, width=440, n=2.6, taper=0.2, waist=0.05), "plum"),
    # quiet 3-button 2.4 GHz mouse
    Model(21, "2203", "Pelto 3 Silent (RF)", ("rf", 1), 0x15, BASIC3,
          body(length=720, width=390, n=2.4, taper=0.22, split=0.45), "ice", logo="ring"),
    # 5 buttons behind a receiver; its Bluetooth variant reports USB ids too
    Model(22, "2405", "Pelto 5 Go (RF)", ("receiver", 2), 0x16, five(side_t=(0.5, 0.4)),
          body(length=780, width=410, n=2.5, taper=0.24, thumb=0.03), "coral",
          bt_usb=(0x3A7C, 0xB405)),
    # 7 buttons: a button beside the left button and a DPI button
    Model(23, "4307", "Ilvo 7", ("wired", 1), 0x17,
          five() + [Btn(("top", "l", 0.16), str_="button"),
                    Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=840, width=440, n=2.7, taper=0.2, waist=0.05, thumb=0.06), "forest"),
    # 12 buttons behind a receiver: a grid of nine thumb buttons
    Model(24, "4412", "Ilvo 12 (RF)", ("receiver", 2), 0x18,
          BASIC3 + [Btn(("thumb", t, dx), numStr=str(3 * r + c + 1))
                    for r, t in enumerate((0.44, 0.535, 0.63))
                    for c, dx in enumerate((58, 122, 186))],
          body(length=900, width=490, n=2.8, taper=0.16, thumb=0.1, ergo=0.05), "ink",
          logo="bars"),
    # 8 buttons and a tilt wheel, wired
    Model(25, "5408", "Tolva T8", ("wired", 1), 0x19,
          five() + [Btn(("top", "l", 0.15)), Btn(("top", "l", 0.255)),
                    Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=860, width=460, n=2.6, taper=0.2, thumb=0.08, ergo=0.04), "amber",
          tilt=Tilt(image_pos=4, exclude=(22, 22))),
    # 4 buttons and a tilt wheel in a small 2.4 GHz shell
    Model(26, "5504", "Tolva T4 Mini (RF)", ("rf", 1), 0x1A,
          BASIC3 + [Btn(("side", "l", 0.45), function="backward")],
          body(length=680, width=380, n=2.3, taper=0.2, split=0.45, wheel_at=0.22), "mint",
          tilt=Tilt(image_pos=1), logo="ring"),
    # thumb wheel for sideways scrolling, gesture and DPI buttons
    Model(27, "3608", "Mirel W8 (RF)", ("receiver", 2), 0x1B,
          five(side_t=(0.69, 0.59)) +
          [Btn(("thumb", 0.8, 80), function="show task"),
           Btn(("top", "l", 0.16), function="fn zoom +", one_time=1, exclude=22),
           Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=890, width=485, n=2.7, taper=0.16, thumb=0.13, ergo=0.06), "silver",
          hid=[Hid("tw0", 0xFA, 0xFA, "scroll left"), Hid("tw1", 0xFC, 0xFC, "scroll right")],
          features=["thumbwheel"]),
    # wired 5 buttons with a thumb wheel
    Model(28, "3705", "Mirel W5", ("wired", 1), 0x1C, five(side_t=(0.69, 0.59)),
          body(length=860, width=470, n=2.7, taper=0.17, thumb=0.12, ergo=0.05), "teal",
          hid=[Hid("tw0", 0xFA, 0xFA, "scroll up"), Hid("tw1", 0xFC, 0xFC, "scroll down")],
          features=["thumbwheel"]),
    # plain 3-button mouse: mouse-button bits
    Model(29, "6303", "Tavi 3", ("wired", 254), 0x1D, BASIC3,
          body(length=740, width=400, n=2.3, taper=0.16), "snow"),
    # second edition of Tavi 5: the same model number, a model id of its own
    Model(30, "6105", "Tavi 5 II", ("wired", 254), 0x1E, five(side_t=(0.5, 0.4)),
          body(length=780, width=420, n=2.4, taper=0.2, thumb=0.03), "graphite"),
    # ambidextrous receiver mouse, side buttons on both sides, swap45
    Model(31, "7409", "Orvi 9 (RF)", ("receiver", 2), 0x1F,
          five() + [Btn(("side", "r", 0.47), function="backward", image_over=2),
                    Btn(("side", "r", 0.36), function="forward", image_over=1),
                    Btn(("dpi", 0), numStr="D+", one_time=1, exclude=22),
                    Btn(("dpi", 1), numStr="D-", one_time=1, exclude=22)],
          body(length=850, width=450, n=2.6, taper=0.2, waist=0.07), "navy", swap45=1),
    # left-handed shell: thumb buttons on the right
    Model(32, "7505", "Orvi 5 Left", ("wired", 1), 0x20, five(side="r"),
          body(length=820, width=440, n=2.6, taper=0.2, thumb=0.07, ergo=0.03, hand="left"),
          "rose"),
    # tilt paddles beside the wheel, DPI and a top button
    Model(33, "8309", "Kesto 9 (RF)", ("rf", 1), 0x21,
          five() + [Btn(("paddle", "l"), numStr="L", str_="tilt left",
                        function="tilt left function", image="l2"),
                    Btn(("paddle", "r"), numStr="R", str_="tilt right",
                        function="tilt right function", image="r2"),
                    Btn(("top", "l", 0.27), str_="button"),
                    Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=860, width=460, n=2.6, taper=0.2, thumb=0.06), "plum",
          features=["paddles"]),
    # 10 buttons: sniper, DPI up/down and two buttons beside the left button
    Model(34, "8410", "Kesto 10", ("wired", 1), 0x22,
          five(side_t=(0.52, 0.42)) +
          [Btn(("side", "l", 0.3), numStr="S"),
           Btn(("dpi", 0), numStr="D+", one_time=1, exclude=22),
           Btn(("dpi", 1), numStr="D-", one_time=1, exclude=22),
           Btn(("top", "l", 0.15)), Btn(("top", "l", 0.25))],
          body(length=880, width=460, n=2.8, taper=0.18, waist=0.06, thumb=0.06), "amber",
          logo="bars"),
    # 8 buttons and a tilt wheel behind a receiver
    Model(35, "9308", "Nodin 8 (RF)", ("receiver", 2), 0x23,
          five(side_t=(0.55, 0.45)) +
          [Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22),
           Btn(("palm", -62, 0.6), function="show desktop"),
           Btn(("palm", 62, 0.6), function="show task")],
          body(length=880, width=480, n=2.6, taper=0.17, thumb=0.1, ergo=0.05), "forest",
          tilt=Tilt(image_pos=2, image_over=(3, 4))),
    # 10 buttons, a tilt wheel and two media keys with fixed functions
    Model(36, "9410", "Nodin Pro", ("wired", 1), 0x24,
          five(side_t=(0.55, 0.45)) +
          [Btn(("side", "l", 0.34)), Btn(("top", "l", 0.15)), Btn(("top", "l", 0.25)),
           Btn(("dpi", 0), numStr="D+", one_time=1, exclude=22),
           Btn(("dpi", 1), numStr="D-", one_time=1, exclude=22)],
          body(length=900, width=490, n=2.7, taper=0.16, thumb=0.12, ergo=0.05), "ink",
          tilt=Tilt(image_pos=3, exclude=(22, 22)),
          hid=[Hid(("palm", -40, 0.76), 0x41, 0x42, "play pause"),
               Hid(("palm", 40, 0.76), 0x43, 0x44, "mute")]),
    # 7 buttons and three HID buttons: copy and paste by the thumb, a
    # screenshot key on the palm
    Model(37, "3807", "Helmi 7 (RF)", ("receiver", 2), 0x25,
          five(side_t=(0.5, 0.4)) +
          [Btn(("top", "l", 0.16), str_="button"),
           Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=870, width=475, n=2.6, taper=0.18, thumb=0.1, ergo=0.04), "slate",
          hid=[Hid(("thumb", 0.66, 82), 0x51, 0x52, "copy"),
               Hid(("thumb", 0.78, 96), 0x53, 0x54, "paste"),
               Hid(("palm", 0, 0.7), 0x55, 0x56, "screenshot")],
          bt_usb=(0x3A7C, 0xB807)),
    # media mouse: six HID keys, the last two without a marker
    Model(38, "3905", "Helmi Media", ("wired", 1), 0x26, five(side_t=(0.5, 0.4)),
          body(length=860, width=470, n=2.6, taper=0.18, thumb=0.1, ergo=0.04), "coral",
          hid=[Hid(("thumb", 0.66, 82), 0x61, 0x62, "previous track"),
               Hid(("thumb", 0.78, 96), 0x63, 0x64, "next track"),
               Hid(("palm", -44, 0.7), 0x65, 0x66, "volume down"),
               Hid(("palm", 44, 0.7), 0x67, 0x68, "volume up"),
               Hid(("palm", -44, 0.58), 0x69, 0x69, "play pause"),
               Hid(("palm", 44, 0.58), 0x6A, 0x6A, "mute")]),
    # four side buttons and DPI
    Model(39, "4508", "Wistra 8", ("wired", 1), 0x27,
          BASIC3 + [Btn(("side", "l", t)) for t in (0.615, 0.51, 0.405, 0.3)] +
          [Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=900, width=470, n=2.6, taper=0.19, thumb=0.08), "teal"),
    # 6 buttons, 2.4 GHz: two side buttons and a gesture button on top
    Model(40, "4606", "Wistra Air (RF)", ("rf", 1), 0x28,
          five(side_t=(0.5, 0.39)) + [Btn(("palm", 0, 0.58), function="swipe left",
                                          image_over=3)],
          body(length=800, width=420, n=2.5, taper=0.22, thumb=0.05), "ice"),
    # ergonomic shell with a wide thumb rest, 6 buttons behind a receiver
    Model(41, "1106", "Sarvi V6 (RF)", ("receiver", 2), 0x29,
          five(side_t=(0.52, 0.42)) + [Btn(("thumb", 0.72, 86), function="show desktop")],
          body(length=880, width=490, n=2.8, taper=0.15, thumb=0.14, ergo=0.07), "forest"),
    # ergonomic shell, wired, one side button
    Model(42, "1204", "Sarvi V4", ("wired", 1), 0x2A,
          BASIC3 + [Btn(("side", "l", 0.44), function="backward", image_over=2)],
          body(length=860, width=480, n=2.8, taper=0.15, thumb=0.13, ergo=0.06), "slate"),
    # travel mouse, 3 buttons
    Model(43, "1303", "Lumo 3 (RF)", ("rf", 1), 0x2B, BASIC3,
          body(length=620, width=350, n=2.2, taper=0.16, split=0.47, wheel_at=0.23), "mint",
          logo="ring"),
    # travel mouse, 5 buttons behind a receiver
    Model(44, "1405", "Lumo 5 (RF)", ("receiver", 2), 0x2C, five(side_t=(0.52, 0.41)),
          body(length=700, width=380, n=2.3, taper=0.18, split=0.46, wheel_at=0.22), "rose",
          logo="ring"),
    # 11 buttons and a tilt wheel: sniper, DPI up/down, three top buttons
    Model(45, "1511", "Vaski 11", ("wired", 1), 0x2D,
          five(side_t=(0.56, 0.46)) +
          [Btn(("side", "l", 0.36), numStr="S"),
           Btn(("top", "l", 0.14)), Btn(("top", "l", 0.235)), Btn(("top", "l", 0.33)),
           Btn(("dpi", 0), numStr="D+", one_time=1, exclude=22),
           Btn(("dpi", 1), numStr="D-", one_time=1, exclude=22)],
          body(length=900, width=480, n=2.8, taper=0.17, waist=0.05, thumb=0.08), "crimson",
          tilt=Tilt(image_pos=2, exclude=(22, 22)), logo="bars"),
    # thumb wheel, 7 buttons and a screenshot key behind a receiver
    Model(46, "1607", "Vaski 7 (RF)", ("receiver", 2), 0x2E,
          five(side_t=(0.69, 0.59)) +
          [Btn(("thumb", 0.8, 80), function="swipe right", image_over=4),
           Btn(("dpi", 0), numStr="DPI", one_time=1, exclude=22)],
          body(length=880, width=480, n=2.7, taper=0.16, thumb=0.12, ergo=0.06), "olive",
          hid=[Hid("tw0", 0xFA, 0xFA, "scroll up"), Hid("tw1", 0xFC, 0xFC, "scroll down"),
               Hid(("palm", 0, 0.7), 0x71, 0x72, "screenshot")],
          features=["thumbwheel"]),
    # left-hand edition of Pelto 5: the same device (identity, pid, swap45) as
    # 02_2305, drawn with the side buttons on the right
    Model(47, "2305", "Pelto 5 Left", ("wired", 1), 0x02,
          five(side="r"),
          body(length=800, width=420, n=2.5, taper=0.22, thumb=0.04, hand="left"), "sand",
          alt=True),
    # generic model for any mouse the driver does not recognise
    Model(48, "9000", "Standard mouse", ("generic", 200), 0xFE, five(),
          body(length=820, width=440, n=2.5, taper=0.2, thumb=0.05), "silver",
          tilt=Tilt(image_pos=1), bt=False, logo="none"),
]

BASE_OF_ALT = {47: 2}     # running number of an _ALT model -> its base model


# ---------------------------------------------------------------- drawing

class Drawing:
    def __init__(self, model):
        self.m = model
        self.b = model.body
        self.pal = PALETTES[model.palette]
        self.under = []      # shapes drawn before the seams
        self.over = []       # shapes drawn on top of everything
        self.markers = {}    # key -> (x, y)

    # --- parts
    def wheel_geom(self):
        b = self.b
        ww = 34 if b.width < 400 else 38
        wh = 96 if b.length < 700 else 112
        return b.cx, b.wheel_y, ww, wh

    def pill(self, cx, cy, w, h, angle, fill, stroke, extra=""):
        return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s" stroke="%s" '
                'stroke-width="3" transform="rotate(%s %s %s)"%s/>'
                % (fmt(cx - w / 2), fmt(cy - h / 2), fmt(w), fmt(h), fmt(min(w, h) / 2),
                   fill, stroke, fmt(angle), fmt(cx), fmt(cy), extra))

    def side_button(self, side, t):
        b = self.b
        y = b.y_at(t)
        x = b.edge(side, y)
        inset = 9
        x = x + inset if side == "l" else x - inset
        ang = b.slope_angle(side, y)
        h = b.length * 0.092
        shell, btn, seam, outline, well, wh, acc = self.pal
        self.over.append(self.pill(x, y, 30, h, ang, acc, outline))
        self.over.append(self.pill(x, y - h * 0.18, 8, h * 0.36, ang, "#ffffff", "none",
                                   ' opacity="0.25"'))
        return x, y

    def top_button(self, side, t):
        b = self.b
        y = b.y_at(t)
        x = b.edge(side, y)
        x = x + 60 if side == "l" else x - 60
        ang = b.slope_angle(side, y) * 0.7
        shell, btn, seam, outline, well, wh, acc = self.pal
        self.over.append(self.pill(x, y, 32, 62, ang, acc, seam))
        return x, y

    def dpi_button(self, k):
        cx, wy, ww, wh_ = self.wheel_geom()
        y = wy + wh_ / 2 + 52 + 60 * k
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        self.over.append('<rect x="%s" y="%s" width="30" height="46" rx="11" fill="%s" '
                         'stroke="%s" stroke-width="3"/>'
                         % (fmt(cx - 15), fmt(y - 23), well, seam))
        self.over.append('<rect x="%s" y="%s" width="10" height="22" rx="5" fill="%s"/>'
                         % (fmt(cx - 5), fmt(y - 11), acc))
        return cx, y

    def thumb_button(self, t, dx):
        b = self.b
        y = b.y_at(t)
        side = "l" if self.b.hand == "right" else "r"
        x = b.edge(side, y) + (dx if side == "l" else -dx)
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        self.over.append('<circle cx="%s" cy="%s" r="26" fill="%s" stroke="%s" stroke-width="3"/>'
                         % (fmt(x), fmt(y), btn, seam))
        self.over.append('<circle cx="%s" cy="%s" r="9" fill="%s"/>' % (fmt(x), fmt(y), acc))
        return x, y

    def palm_button(self, dx, t):
        b = self.b
        x, y = b.cx + dx, b.y_at(t)
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        self.over.append('<circle cx="%s" cy="%s" r="24" fill="%s" stroke="%s" stroke-width="3"/>'
                         % (fmt(x), fmt(y), btn, seam))
        self.over.append('<circle cx="%s" cy="%s" r="15" fill="none" stroke="%s" '
                         'stroke-width="3"/>' % (fmt(x), fmt(y), acc))
        return x, y

    def paddle(self, side):
        cx, wy, ww, wh_ = self.wheel_geom()
        x = cx - 62 if side == "l" else cx + 62
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        self.over.append('<rect x="%s" y="%s" width="40" height="72" rx="14" fill="%s" '
                         'stroke="%s" stroke-width="3"/>'
                         % (fmt(x - 20), fmt(wy - 36), acc, seam))
        # arrow pointing outward
        d = -1 if side == "l" else 1
        self.over.append('<path d="M%s,%s L%s,%s L%s,%s Z" fill="#ffffff" opacity="0.8"/>'
                         % (fmt(x + 8 * d), fmt(wy), fmt(x - 6 * d), fmt(wy - 10),
                            fmt(x - 6 * d), fmt(wy + 10)))
        return x, wy

    def tilt_marks(self):
        cx, wy, ww, wh_ = self.wheel_geom()
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        pos = []
        for d in (-1, 1):
            x = cx + 62 * d
            self.over.append('<circle cx="%s" cy="%s" r="20" fill="%s" opacity="0.35"/>'
                             % (fmt(x), fmt(wy), seam))
            self.over.append('<path d="M%s,%s L%s,%s L%s,%s Z" fill="%s"/>'
                             % (fmt(x + 9 * d), fmt(wy), fmt(x - 5 * d), fmt(wy - 11),
                                fmt(x - 5 * d), fmt(wy + 11), acc))
            pos.append((x, wy))
        return pos

    def thumbwheel(self):
        b = self.b
        t0, t1 = 0.36, 0.51
        y0, y1 = b.y_at(t0), b.y_at(t1)
        ym = (y0 + y1) / 2
        x = b.edge("l", ym) + 40
        ang = b.slope_angle("l", ym)
        h = y1 - y0
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        self.over.append(self.pill(x, ym, 46, h + 16, ang, well, outline))
        self.over.append(self.pill(x, ym, 30, h, ang, wheel_c, seam))
        rad = math.radians(ang)
        # ridges across the wheel, along its length
        for k in range(-6, 7):
            off = k * h / 14
            px, py = x - math.sin(rad) * off, ym + math.cos(rad) * off
            self.over.append('<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" '
                             'stroke-width="3" transform="rotate(%s %s %s)"/>'
                             % (fmt(px - 11), fmt(py), fmt(px + 11), fmt(py), seam,
                                fmt(ang), fmt(px), fmt(py)))
        ends = []
        for s in (-1, 1):
            off = s * (h / 2 - 16)
            ends.append((x - math.sin(rad) * off, ym + math.cos(rad) * off))
        return ends

    # --- whole picture
    def anchor(self, a):
        kind = a if isinstance(a, str) else a[0]
        b = self.b
        cx, wy, ww, wh_ = self.wheel_geom()
        sy = b.split_y()
        if kind in ("left", "right"):
            y = b.top + (sy - b.top) * 0.6
            side = "l" if kind == "left" else "r"
            inner = cx - 28 if side == "l" else cx + 28
            e = b.edge(side, y)
            return (inner + (e - inner) * 0.6, y)
        if kind == "wheel":
            return (cx, wy)
        if kind == "side":
            return self.side_button(a[1], a[2])
        if kind == "top":
            return self.top_button(a[1], a[2])
        if kind == "dpi":
            return self.dpi_button(a[1])
        if kind == "thumb":
            return self.thumb_button(a[1], a[2])
        if kind == "palm":
            return self.palm_button(a[1], a[2])
        if kind == "paddle":
            return self.paddle(a[1])
        if kind in ("tw0", "tw1"):
            return self.tw_ends[0 if kind == "tw0" else 1]
        raise ValueError("unknown anchor %r" % (a,))

    def build(self):
        m, b = self.m, self.b
        if "thumbwheel" in m.features:
            self.tw_ends = self.thumbwheel()
        self.button_pos = [self.anchor(btn.anchor) for btn in m.buttons]
        self.tilt_pos = self.tilt_marks() if m.tilt else []
        self.hid_pos = [self.anchor(h.anchor) for h in m.hid]
        return self.svg()

    def svg(self):
        m, b = self.m, self.b
        shell, btn, seam, outline, well, wheel_c, acc = self.pal
        cx, wy, ww, wh_ = self.wheel_geom()
        sy = b.split_y()
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
               'viewBox="0 0 %d %d">' % (CANVAS_W, CANVAS_H, CANVAS_W, CANVAS_H),
               '<!-- %s: top view, front up; generated by tools/art/models.py -->' % m.name,
               '<defs>',
               '<path id="shell" d="%s"/>' % b.path(),
               '<clipPath id="clip"><use href="#shell"/></clipPath>',
               '</defs>',
               # shadow
               '<use href="#shell" transform="translate(10 14)" fill="#000000" opacity="0.16"/>',
               '<use href="#shell" fill="%s"/>' % shell,
               '<g clip-path="url(#clip)">']
        # palm sheen
        out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="0.07"/>'
                   % (fmt(cx - b.width * 0.08), fmt(b.y_at(0.68)), fmt(b.width * 0.3),
                      fmt(b.length * 0.22)))
        # main buttons: front part of the shell, split along the middle
        g = 5
        left = b.cx - 200 - b.width
        right = b.cx + 200 + b.width
        for side in ("l", "r"):
            inner = cx - g if side == "l" else cx + g
            outer = left if side == "l" else right
            out.append('<path d="M%s,0 L%s,0 L%s,%s Q%s,%s %s,%s Z" fill="%s" stroke="%s" '
                       'stroke-width="4"/>'
                       % (fmt(outer), fmt(inner), fmt(inner), fmt(sy),
                          fmt((inner + outer) / 2), fmt(sy + 6),
                          fmt(outer), fmt(sy - 70), btn, seam))
        # sheen on the buttons
        for d in (-1, 1):
            out.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="#ffffff" opacity="0.08"/>'
                       % (fmt(cx + d * b.width * 0.22), fmt(b.y_at(0.16)),
                          fmt(b.width * 0.1), fmt(b.length * 0.1)))
        out.append('</g>')
        # wheel well and wheel
        if "paddles" in m.features:
            out.append('<rect x="%s" y="%s" width="%s" height="%s" rx="26" fill="%s" '
                       'stroke="%s" stroke-width="3"/>'
                       % (fmt(cx - 92), fmt(wy - wh_ / 2 - 14), 184, fmt(wh_ + 28), well, seam))
        else:
            out.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
                       % (fmt(cx - ww / 2 - 9), fmt(wy - wh_ / 2 - 12), fmt(ww + 18),
                          fmt(wh_ + 24), fmt((ww + 18) / 2), well))
        out.append('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
                   % (fmt(cx - ww / 2), fmt(wy - wh_ / 2), fmt(ww), fmt(wh_), fmt(ww / 2),
                      wheel_c))
        for k in range(1, int(wh_ // 10)):
            yy = wy - wh_ / 2 + k * 10
            out.append('<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="3"/>'
                       % (fmt(cx - ww / 2 + 5), fmt(yy), fmt(cx + ww / 2 - 5), fmt(yy), well))
        out.append('<rect x="%s" y="%s" width="6" height="%s" rx="3" fill="#ffffff" '
                   'opacity="0.18"/>' % (fmt(cx - ww / 2 + 6), fmt(wy - wh_ / 2 + 8),
                                         fmt(wh_ - 16)))
        out.extend(self.over)
        # logo on the palm
        ly = b.y_at(0.84)
        if m.logo == "dot":
            out.append('<path d="M%s,%s l14,14 l-14,14 l-14,-14 Z" fill="%s" opacity="0.85"/>'
                       % (fmt(cx), fmt(ly - 14), acc))
        elif m.logo == "ring":
            out.append('<circle cx="%s" cy="%s" r="13" fill="none" stroke="%s" '
                       'stroke-width="5" opacity="0.85"/>' % (fmt(cx), fmt(ly), acc))
        elif m.logo == "bars":
            for k in (-1, 0, 1):
                out.append('<rect x="%s" y="%s" width="7" height="%s" rx="3" fill="%s"/>'
                           % (fmt(cx + k * 12 - 3.5), fmt(ly - 12 + abs(k) * 5),
                              fmt(24 - abs(k) * 10), acc))
        out.append('<use href="#shell" fill="none" stroke="%s" stroke-width="5"/>' % outline)
        out.append('</svg>')
        return "\n".join(out) + "\n"


# ---------------------------------------------------------------- JSON

def hexs(v, width=2):
    return ("0x%0" + str(width) + "x") % v


def byte_texts(seq):
    return [hexs(v) for v in seq]


def model_json(m, d, bluetooth):
    base = m
    if m.alt:
        base = next(x for x in MODELS if x.nn == BASE_OF_ALT[m.nn])
    kind, mtype = base.kind
    pid = int(base.num, 16)
    usb_vid = usb_pid = 0
    if mtype == 2:
        usb_vid, usb_pid = RECEIVER_VID, 0x7A00 + base.mid
    if bluetooth:
        mtype = 3
        pid = 0xB000 | base.mid
        usb_vid, usb_pid = base.bt_usb
    name = m.name
    if bluetooth:
        name = name.replace(" (RF)", "")
        name = name + " (BT)"
    doc = {"model_name": name, "model_image": m.picture}
    if m.tilt:
        doc["tilt_image_pos"] = m.tilt.image_pos
    bp = []
    for btn, (x, y) in zip(m.buttons, d.button_pos):
        e = {"x": round(x), "y": round(y)}
        if btn.image:
            e["image"] = btn.image
        e["numStr"] = btn.numStr
        e["one_time"] = btn.one_time
        e["str"] = btn.str
        e["image_over"] = btn.image_over
        e["function"] = btn.function
        e["exclude"] = btn.exclude
        bp.append(e)
    doc["button_pos"] = bp
    if m.tilt:
        t = m.tilt
        doc["tilt_pos"] = [{"x": round(x), "y": round(y), "image_over": t.image_over[j],
                            "str": t.str[j], "function": t.function[j],
                            "numStr": t.numStr[j], "exclude": t.exclude[j]}
                           for j, (x, y) in enumerate(d.tilt_pos)]
    doc["model_define"] = {
        "model_id": hexs(m.mid),
        "button": hexs(m.mask, 4),
        "usb_vid": hexs(usb_vid, 4),
        "usb_pid": hexs(usb_pid, 4),
        "pid": hexs(pid, 4),
        "vid": hexs(VENDOR if mtype != 200 else 0xFE),
        "type": mtype,
        "tilt": 1 if m.tilt else 0,
        "tilt_mask_l": 1 if m.tilt else 0,
        "tilt_mask_r": 2 if m.tilt else 0,
        "swap45": m.swap45,
    }
    if m.hid:
        hl = []
        for k, (h, (x, y)) in enumerate(zip(m.hid, d.hid_pos)):
            # only the first four entries have a marker position
            e = {"x": round(x), "y": round(y)} if k < 4 else {}
            e.update({"down": hexs(h.down), "up": hexs(h.up)})
            if h.default:
                f = DEFAULTS[h.default]
                e["function_define"] = {"type": f["type"], "press": byte_texts(f["press"]),
                                        "release": byte_texts(f["release"])}
                e["function_name"] = dict(zip(LCIDS, NAMES[h.default]))
            hl.append(e)
        doc["hid_num"] = hl
    return doc


def check_drawing(m, d):
    """Markers that the window draws must not cover each other and must stay
    inside the picture; 2.4 GHz names carry "(RF)", wired ones do not."""
    assert ("(RF)" in m.name) == (m.kind[0] in ("rf", "receiver")), m.name
    drawn = [p for i, p in enumerate(d.button_pos) if i > 0 and m.mask >> i & 1]
    if m.tilt:
        drawn += d.tilt_pos
    else:
        drawn += d.hid_pos[:2]
    for i, (x, y) in enumerate(drawn):
        assert MARKER / 2 <= x <= CANVAS_W - MARKER / 2 and \
            MARKER / 2 <= y <= CANVAS_H - MARKER / 2, (m.stem, x, y)
        for (x2, y2) in drawn[i + 1:]:
            assert math.hypot(x - x2, y - y2) >= MARKER, (m.stem, (x, y), (x2, y2))


# Simulated driver scenarios: (file, [(running number, bluetooth?, unit_index,
# unit_active, handle)]); each device reports the identity of that model.
SCENARIOS = [
    ("demo.json", [(16, False, 0, [1], 0x1001)]),
    ("hid.json", [(8, False, 0, [1], 0x1101)]),
    ("two.json", [(14, False, 0, [1], 0x1201), (6, True, 2, [0, 0, 1], 0x1202)]),
    ("none.json", []),
]


def scenario_device(m, bluetooth, unit_index, unit_active, handle):
    d = Drawing(m)
    d.build()
    doc = model_json(m, d, bluetooth)
    md = doc["model_define"]
    return {"name": doc["model_name"], "type": md["type"], "unit_index": unit_index,
            "unit_active": unit_active, "vendor_code": int(md["vid"], 16),
            "sub_id": int(md["model_id"], 16), "usb_vid": int(md["usb_vid"], 16),
            "usb_pid": int(md["usb_pid"], 16), "handle": handle}


def dumps(obj, level=0):
    """JSON with one line per small object or array, nested ones indented."""
    def flat(o):
        return json.dumps(o, ensure_ascii=False, separators=(", ", ": "))
    pad, inner = "  " * level, "  " * (level + 1)
    if isinstance(obj, dict) and any(isinstance(v, (dict, list)) and
                                     (len(flat(v)) > 60 or isinstance(v, dict))
                                     for v in obj.values()):
        items = ["%s%s: %s" % (inner, json.dumps(k), dumps(v, level + 1))
                 for k, v in obj.items()]
        return "{\n" + ",\n".join(items) + "\n" + pad + "}"
    if isinstance(obj, list) and len(flat(obj)) > 60:
        return "[\n" + ",\n".join(inner + dumps(v, level + 1) for v in obj) + "\n" + pad + "]"
    return flat(obj)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main(argv):
    if "--list" in argv:
        for m in MODELS:
            for folder, bt in m.folders():
                print(folder, m.name + (" (BT)" if bt else ""))
        return 0
    # The documents first, then the pictures in the same folder order: the
    # catalogue load reads the documents alone, and read in place from the
    # executable they then lie on pages of their own.
    manifest = ["# Members of model.pkg, relative to data/model/, in archive order.",
                "# Generated by tools/art/models.py; the documents' order is the catalogue order."]
    pictures = []
    for m in MODELS:
        d = Drawing(m)
        svg = d.build()
        check_drawing(m, d)
        write(os.path.join(ART_DIR, m.stem + ".svg"), svg)
        for folder, bt in m.folders():
            doc = model_json(m, d, bt)
            rel = "%s/%s" % (TOP, folder)
            write(os.path.join(MODEL_DIR, rel, "model.json"),
                  dumps(doc) + "\n")
            manifest.append(rel + "/model.json")
            pictures.append(rel + "/" + m.picture)
    write(os.path.join(MODEL_DIR, TOP, "ver.json"), json.dumps({"ver": VERSION}) + "\n")
    manifest += pictures
    manifest.append(TOP + "/ver.json")
    write(os.path.join(MODEL_DIR, "manifest.txt"), "\n".join(manifest) + "\n")
    by_nn = {m.nn: m for m in MODELS}
    for fn, devices in SCENARIOS:
        devs = [scenario_device(by_nn[nn], bt, ui, ua, h) for nn, bt, ui, ua, h in devices]
        write(os.path.join(ROOT, "data", "scenarios", fn),
              dumps({"devices": devs}) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
