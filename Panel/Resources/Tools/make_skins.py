#!/usr/bin/env python3
"""Writes Panel/Resources/Skins.xml: the editor's two skins, "CVX1_HighDPI" (every
length, font size and image doubled) and "CVX1_StandardDPI", from one description.

The images the skins name are drawn by SkinImageGenerator (Panel/Resources/Tools);
the frame images are 24 x 24 with 8-pixel corners at the standard size, which the
nine-piece looks below cut up. Run it after changing the layout:
    python3 Panel/Resources/Tools/make_skins.py
"""
from pathlib import Path

FONT = "DejaVu Sans"
FRAME_SIZE, FRAME_CORNER = 24, 8

# Solid colours (ARGB) shared by both skins.
COLOURS = {
    "Ink.Text": "FFE8EAED",
    "Ink.Muted": "FF9BA3AE",
    "Ink.Accent": "FFF2A33A",
    "Ink.OnAccent": "FF1B1D21",
    "Ink.Disabled": "FF5C636E",
    "Fill.Row": "FF23262C",
    "Fill.RowHover": "FF343A44",
    "Fill.RowSelected": "FFF2A33A",
    "Fill.Rule": "FF3A404A",
    "Fill.Caret": "FFF2A33A",
    "Fill.Selection": "FF5A4426",
    "Fill.Window": "FF1B1D21",
    "Fill.Dialog": "FF202328",
    "Fill.MenuBar": "FF2A2E35",
}

# The nine-piece frames the image generator draws (file stem per frame).
FRAMES = ["card", "button", "button_hover", "button_pressed", "button_on", "button_on_hover",
          "button_on_pressed", "button_disabled", "field", "field_hover", "field_focus", "list",
          "menu", "tooltip", "title_hover", "dialog_button", "dialog_button_hover"]
# Single images shown centred (stem, standard width, standard height).
ICONS = [("arrow_up", 10, 6), ("arrow_down", 10, 6), ("arrow_down_accent", 10, 6),
         ("controller_body", 860, 96), ("company_logo", 160, 36), ("product_logo", 300, 64)]


class Skin:
    def __init__(self, name, scale, prefix):
        self.name, self.s, self.p = name, scale, prefix
        self.order = 0

    def n(self, value):
        return int(round(value * self.s))

    def r(self, name):  # a resource name of this skin
        return f"{self.p}.{name}"

    def image(self, stem):
        return f"{self.p.lower()}_{stem}.png"


def colour_parts():
    out = ['<Colorizers>']
    for name, colour in COLOURS.items():
        out.append(f'  <Colorizer Name="{name}" ColorType="SolidFill" Color="{colour}"/>')
    out.append('</Colorizers>')
    return out


def parts(skin):
    s = skin
    out = []
    for name in COLOURS:
        out.append(f'  <Part Name="{s.r(name)}" Width="4" Height="4" ResizeType="Stretch" ColorizerName="{name}"/>')
    size, c = s.n(FRAME_SIZE), s.n(FRAME_CORNER)
    middle = size - 2 * c
    pieces = {"TL": (0, 0, c, c), "T": (c, 0, middle, c), "TR": (size - c, 0, c, c),
              "L": (0, c, c, middle), "C": (c, c, middle, middle), "R": (size - c, c, c, middle),
              "BL": (0, size - c, c, c), "B": (c, size - c, middle, c), "BR": (size - c, size - c, c, c)}
    for frame in FRAMES:
        for piece, (x, y, w, h) in pieces.items():
            out.append(f'  <Part Name="{s.r(frame)}.{piece}" Width="{w}" Height="{h}" ResizeType="Stretch" '
                       f'ImageFile="{s.image(frame)}" ImageLocX="{x}" ImageLocY="{y}"/>')
    for stem, w, h in ICONS:
        out.append(f'  <Part Name="{s.r(stem)}" Width="{s.n(w)}" Height="{s.n(h)}" ResizeType="Center" '
                   f'ImageFile="{s.image(stem)}" ImageLocX="0" ImageLocY="0"/>')
    return out


def text(skin, ink, halign=0.5, left=0, right=0, top=0, bottom=0, valign=0.5):
    s = skin
    return (f'<TextProperties TextLeftRel="0" TextLeftAbs="{s.n(left)}" TextRightRel="1" TextRightAbs="{-s.n(right)}" '
            f'TextHAlign="{halign}" TextTopRel="0" TextTopAbs="{s.n(top)}" TextBottomRel="1" '
            f'TextBottomAbs="{-s.n(bottom)}" TextVAlign="{valign}" TextForegroundPart="{s.r(ink)}"/>')


def frame_pieces(skin, frame):
    s = skin
    c = s.n(FRAME_CORNER)
    f = s.r(frame)
    return [
        f'<NonClientPart Name="{f}.C" OffsetLeft="{c}" OffsetTop="{c}" OffsetRight="{-c}" OffsetBottom="{-c}"/>',
        f'<NonClientPart Name="{f}.TL" OffsetLeft="0" OffsetTop="0" Width="{c}" Height="{c}"/>',
        f'<NonClientPart Name="{f}.T" OffsetLeft="{c}" OffsetTop="0" OffsetRight="{-c}" Height="{c}"/>',
        f'<NonClientPart Name="{f}.TR" OffsetRight="0" OffsetTop="0" Width="{c}" Height="{c}"/>',
        f'<NonClientPart Name="{f}.L" OffsetLeft="0" OffsetTop="{c}" OffsetBottom="{-c}" Width="{c}"/>',
        f'<NonClientPart Name="{f}.R" OffsetRight="0" OffsetTop="{c}" OffsetBottom="{-c}" Width="{c}"/>',
        f'<NonClientPart Name="{f}.BL" OffsetLeft="0" OffsetBottom="0" Width="{c}" Height="{c}"/>',
        f'<NonClientPart Name="{f}.B" OffsetLeft="{c}" OffsetRight="{-c}" OffsetBottom="0" Height="{c}"/>',
        f'<NonClientPart Name="{f}.BR" OffsetRight="0" OffsetBottom="0" Width="{c}" Height="{c}"/>',
    ]


def look(skin, name, client=None, client_inset=(0, 0, 0, 0), frame=None, extra=(), text_props=None):
    s = skin
    out = [f'  <Look Name="{s.r(name)}">']
    if client:
        l, t, r, b = (s.n(v) for v in client_inset)
        out.append(f'    <ClientPart Name="{s.r(client)}" OffsetLeft="{l}" OffsetTop="{t}" OffsetRight="{-r}" '
                   f'OffsetBottom="{-b}"/>')
    if text_props:
        out.append('    ' + text_props)
    nonclient = (frame_pieces(s, frame) if frame else []) + list(extra)
    if nonclient:
        out.append('    <NonClientParts>')
        out += ['      ' + piece for piece in nonclient]
        out.append('    </NonClientParts>')
    out.append('  </Look>')
    return out


def arrow(skin, stem, right):
    s = skin
    return (f'<NonClientPart Name="{s.r(stem)}" OffsetRight="{-s.n(right)}" Width="{s.n(10)}" Height="{s.n(6)}"/>')


def looks(skin):
    s = skin
    out = ['<Looks>']
    out += look(s, "Clear")
    out += look(s, "Window", client="Fill.Window")
    out += look(s, "Dialog", client="Fill.Dialog")
    out += look(s, "Card", frame="card")
    out += look(s, "Body", client="controller_body")
    out += look(s, "CompanyLogo", client="company_logo")
    out += look(s, "ProductLogo", client="product_logo")
    for ink in ("Text", "Muted", "Accent"):
        out += look(s, f"Label.{ink}", text_props=text(s, f"Ink.{ink}", halign=0))
        out += look(s, f"Label.{ink}.Centre", text_props=text(s, f"Ink.{ink}"))
    # Toggle and push buttons: off, on and disabled faces with centred text.
    buttons = {"Off": ("button", "Ink.Text"), "OffHover": ("button_hover", "Ink.Text"),
               "OffPressed": ("button_pressed", "Ink.Text"), "On": ("button_on", "Ink.OnAccent"),
               "OnHover": ("button_on_hover", "Ink.OnAccent"), "OnPressed": ("button_on_pressed", "Ink.OnAccent"),
               "Disabled": ("button_disabled", "Ink.Disabled"),
               "Push": ("dialog_button", "Ink.Text"), "PushHover": ("dialog_button_hover", "Ink.Text"),
               "PushPressed": ("button_pressed", "Ink.Text")}
    for name, (frame, ink) in buttons.items():
        out += look(s, f"Button.{name}", frame=frame, text_props=text(s, ink, left=6, right=6))
    for name, frame in (("Up", "button"), ("UpHover", "button_hover"), ("UpPressed", "button_pressed")):
        out += look(s, f"Spin.{name}", frame=frame, extra=[f'<NonClientPart Name="{s.r("arrow_up")}" '
                                                           f'Width="{s.n(10)}" Height="{s.n(6)}"/>'])
    for name, frame in (("Down", "button"), ("DownHover", "button_hover"), ("DownPressed", "button_pressed")):
        out += look(s, f"Spin.{name}", frame=frame, extra=[f'<NonClientPart Name="{s.r("arrow_down")}" '
                                                           f'Width="{s.n(10)}" Height="{s.n(6)}"/>'])
    fields = {"Normal": ("field", "Ink.Text"), "Hover": ("field_hover", "Ink.Text"),
              "Focus": ("field_focus", "Ink.Text"), "Disabled": ("button_disabled", "Ink.Disabled"),
              "Placeholder": ("field", "Ink.Muted")}
    for name, (frame, ink) in fields.items():
        out += look(s, f"Field.{name}", frame=frame, text_props=text(s, ink, halign=0.5, left=6, right=6))
    out += look(s, "Field.Selection", client="Fill.Selection", text_props=text(s, "Ink.Text", left=6, right=6))
    combos = {"Normal": ("button", "arrow_down"), "Hover": ("button_hover", "arrow_down"),
              "Open": ("field_focus", "arrow_down_accent"), "Disabled": ("button_disabled", "arrow_down")}
    for name, (frame, glyph) in combos.items():
        ink = "Ink.Disabled" if name == "Disabled" else "Ink.Text"
        out += look(s, f"Combo.{name}", frame=frame, extra=[arrow(s, glyph, 9)],
                    text_props=text(s, ink, halign=0, left=10, right=26))
    out += look(s, "List", frame="list", client="Fill.Row", client_inset=(3, 3, 3, 3))
    rows = {"Normal": ("Fill.Row", "Ink.Text"), "Hover": ("Fill.RowHover", "Ink.Text"),
            "Selected": ("Fill.RowSelected", "Ink.OnAccent"), "Disabled": ("Fill.Row", "Ink.Disabled")}
    for name, (fill, ink) in rows.items():
        out += look(s, f"Row.{name}", client=fill, text_props=text(s, ink, halign=0, left=10, right=8))
        out += look(s, f"MenuRow.{name}", client=fill, text_props=text(s, ink, halign=0, left=24, right=70))
    rule = f'<NonClientPart Name="{s.r("Fill.Rule")}" OffsetLeft="{s.n(8)}" OffsetRight="{-s.n(8)}" Height="{s.n(1)}"/>'
    out += look(s, "Row.Separator", client="Fill.Row", extra=[rule])
    out += look(s, "Menu", frame="menu", client="Fill.Row", client_inset=(2, 4, 2, 4))
    out += look(s, "MenuBar", client="Fill.MenuBar",
                extra=[f'<NonClientPart Name="{s.r("Fill.Rule")}" OffsetLeft="0" OffsetRight="0" OffsetBottom="0" '
                       f'Height="{s.n(1)}"/>'])
    # A title is hit only where its look is not transparent, so each look fills the
    # title with the bar's colour: a press anywhere on it opens its menu.
    out += look(s, "Title.Normal", client="Fill.MenuBar", text_props=text(s, "Ink.Text", left=4, right=4))
    out += look(s, "Title.Hover", client="Fill.MenuBar", frame="title_hover",
                text_props=text(s, "Ink.Text", left=4, right=4))
    out += look(s, "Title.Open", client="Fill.MenuBar", frame="title_hover",
                text_props=text(s, "Ink.Accent", left=4, right=4))
    out += look(s, "HotKey", text_props=text(s, "Ink.Muted", halign=1))
    out += look(s, "ToolTip", frame="tooltip", text_props=text(s, "Ink.Text", halign=0, left=8, right=8))
    out.append('</Looks>')
    return out


def look_list(skin, name, slots):
    s = skin
    entries = "".join(f'<Look Name="{s.r(lookname)}" Index="{index}"/>' for index, lookname in enumerate(slots)
                      if lookname)
    return f'  <LookList Name="{s.r(name)}" NumLooks="{len(slots)}">{entries}</LookList>'


def look_lists(skin):
    s = skin
    out = ['<LookLists>']
    for single in ("Clear", "Window", "Dialog", "Card", "Body", "CompanyLogo", "ProductLogo", "ToolTip",
                   "MenuBar", "HotKey"):
        out.append(look_list(s, single, [single]))
    for ink in ("Text", "Muted", "Accent"):
        out.append(look_list(s, f"Label.{ink}", [f"Label.{ink}"]))
        out.append(look_list(s, f"Label.{ink}.Centre", [f"Label.{ink}.Centre"]))
    off = ["Button.Off", "Button.OffHover", "Button.OffPressed"]
    on = ["Button.On", "Button.OnHover", "Button.OnPressed"]
    # Off, off focused, disabled off, on, on focused, disabled on.
    out.append(look_list(s, "Toggle", off + off + ["Button.Disabled"] + on + on + ["Button.Disabled"]))
    push = ["Button.Push", "Button.PushHover", "Button.PushPressed"]
    out.append(look_list(s, "Push", push + push + ["Button.Disabled"] + push + push + ["Button.Disabled"]))
    out.append(look_list(s, "Primary", on + on + ["Button.Disabled"] + on + on + ["Button.Disabled"]))
    up = ["Spin.Up", "Spin.UpHover", "Spin.UpPressed"]
    down = ["Spin.Down", "Spin.DownHover", "Spin.DownPressed"]
    out.append(look_list(s, "SpinUp", up + up + ["Spin.Up"] + up + up + ["Spin.Up"]))
    out.append(look_list(s, "SpinDown", down + down + ["Spin.Down"] + down + down + ["Spin.Down"]))
    title = ["Title.Normal", "Title.Hover", "Title.Open"]
    out.append(look_list(s, "Title", title + title + ["Title.Normal"] + title + title + ["Title.Normal"]))
    # 0 normal, 1 hover, 2 behind the placeholder, 3 focused, 4 focused with hover,
    # 6 disabled, 9 placeholder, 10 and 11 the selection.
    out.append(look_list(s, "Field", ["Field.Normal", "Field.Hover", "Field.Normal", "Field.Focus", "Field.Focus",
                                      "Field.Normal", "Field.Disabled", "Field.Normal", "Field.Normal",
                                      "Field.Placeholder", "Field.Selection", "Field.Selection"]))
    # 0 normal, 1 focused, 2 hovered, 3 hovered and focused, 4 open, 5 open hovered, 6 disabled.
    out.append(look_list(s, "Combo", ["Combo.Normal", "Combo.Normal", "Combo.Hover", "Combo.Hover", "Combo.Open",
                                      "Combo.Open", "Combo.Disabled"]))
    out.append(look_list(s, "List", ["List", "List", "List"]))
    out.append(look_list(s, "Menu", ["Menu", "Menu", "Menu"]))
    for kind in ("Row", "MenuRow"):
        unselected = [f"{kind}.Normal", f"{kind}.Hover", f"{kind}.Hover"]
        selected = [f"{kind}.Selected"] * 3
        out.append(look_list(s, kind, unselected + unselected + [f"{kind}.Disabled"] + selected + selected +
                             ["Row.Separator"]))
    out.append(look_list(s, "Check", [None] * 9))
    out.append('</LookLists>')
    return out


class Tree:
    """Builds the SubControl elements of one skin."""

    def __init__(self, skin):
        self.s = skin
        self.lines = []
        self.depth = 1

    def open(self, cls, name, x=None, y=None, w=None, h=None, looks=None, font=None, extra="", params=None):
        s = self.s
        s.order += 1
        attrs = [f'Class="{cls}"', f'Name="{name}"', f'LayoutOrder="{s.order}"']
        if x is not None:
            attrs.append(f'XPositionAbs="{s.n(x)}"')
        if y is not None:
            attrs.append(f'YPositionAbs="{s.n(y)}"')
        if w is not None:
            attrs.append(f'XSizeAbs="{s.n(w)}"')
        if h is not None:
            attrs.append(f'YSizeAbs="{s.n(h)}"')
        if font:
            size, style = font
            attrs.append(f'FontName="{FONT}" FontSize="{size * s.s:g}" FontStyle="{style}"')
        if extra:
            attrs.append(extra)
        pad = "  " * self.depth
        self.lines.append(f'{pad}<SubControl {" ".join(attrs)}>')
        self.depth += 1
        if looks:
            self.lines.append(f'{pad}  <Skin Name="{name}" LookList="{s.r(looks)}"/>')
        else:
            self.lines.append(f'{pad}  <Skin Name="{name}"/>')
        if params:
            entries = "".join(f'<CreateParam ID="{k}" Type="String">{v}</CreateParam>' for k, v in params.items())
            self.lines.append(f'{pad}  <CreateParamList>{entries}</CreateParamList>')

    def close(self):
        self.depth -= 1
        self.lines.append("  " * self.depth + "</SubControl>")

    def leaf(self, *args, **kwargs):
        self.open(*args, **kwargs)
        self.close()


BODY = (9, 0)
SMALL = (8, 0)
BOLD = (9, 1)
HEADING = (11, 1)
CAPTION = (8, 1)


def label(t, name, x, y, w, h=16, looks="Label.Muted", font=CAPTION):
    t.leaf("Framework.Label", name, x, y, w, h, looks=looks, font=font)


def toggle_button(t, name, x, y, w=84, h=24):
    t.leaf("Framework.Button", name, x, y, w, h, looks="Toggle", font=CAPTION, extra='TabStop="1"',
           params={"AUTO_VALUE_SET": "true"})


def numeric(t, name, x, y, w=92, h=24):
    t.open("Framework.NumericUpDown", name, x, y, w, h, looks="Clear", font=BODY, extra='TabStop="1"')
    t.leaf("Framework.TextBox", "textBox", 0, 0, w - 24, h, looks="Field", font=BODY, extra='TabStop="1"')
    t.leaf("Framework.Button", "buttonUp", w - 22, 0, 22, h // 2, looks="SpinUp")
    t.leaf("Framework.Button", "buttonDown", w - 22, h // 2, 22, h // 2, looks="SpinDown")
    t.close()


def combo(t, name, x, y, w, items, h=24, row=20):
    t.open("Framework.ComboBox", name, x, y, w, h, looks="Combo", font=BODY, extra='TabStop="1"',
           params={"INITIAL_SELECTED_INDEX": "0"})
    t.open("Framework.ListBox", "listBox", None, None, 0, items * row + 6, looks="List", font=BODY,
           extra='TabStop="1" IsVisible="False" ClipToParent="False" Z_Order="5" YPositionRel="1" '
                 'XSizeToControl="Parent" XSizeRel="1"')
    t.leaf("Framework.ListBoxItem", "templateItem", None, None, 0, row, looks="Row", font=BODY,
           extra='XSizeToControl="Parent" XSizeRel="1"')
    t.leaf("PresetEditor.MainControl.DeviceView.ControllerBody", "corner", 0, 0, 0, 0, looks="Clear")
    t.close()
    t.close()


def parameter(t, cls, name, x, y, w, h, build):
    t.open(f"PresetEditor.ParameterControl.{cls}", name, x, y, w, h, looks="Clear")
    build(t)
    t.close()


def toggle_parameter(t, name, x, y, w=84):
    parameter(t, "ToggleButton", name, x, y, w, 24, lambda t: toggle_button(t, "parameterControl", 0, 0, w))


def numeric_parameter(t, cls, name, x, y, w=92):
    parameter(t, cls, name, x, y, w, 24, lambda t: numeric(t, "parameterControl", 0, 0, w))


def channel_parameter(t, name, x, y, w=92):
    # Rows of 18 keep the open list of 16 channels inside the window.
    parameter(t, "MidiChannel", name, x, y, w, 24, lambda t: combo(t, "comboBox", 0, 0, w, 16, row=18))


def menu_row(t, row=24):
    t.open("Framework.MenuItem", "templateItem", None, None, 0, row, looks="MenuRow", font=BODY,
           extra='XSizeToControl="Parent" XSizeRel="1"')
    t.leaf("Framework.Button", "checkBox", 4, 4, 16, 16, looks="Check", params={"AUTO_VALUE_SET": "true"})
    t.leaf("Framework.Label", "hotKeyLabel", None, 0, 60, row, looks="HotKey", font=SMALL,
           extra=f'XPositionRel="1" XPositionAbs="{t.s.n(-68)}"')
    t.close()


def popup(t, name, extra, submenu=True, width=240):
    t.open("Framework.PopupMenu", name, None, None, width, 120, looks="Menu", font=BODY, extra=extra)
    menu_row(t)
    if submenu:
        t.open("Framework.PopupMenu", "submenu", None, None, width, 120, looks="Menu", font=BODY,
               params={"DEFER_CREATE": "true"})
        menu_row(t)
        t.close()
    t.close()


def card(t, name, x, y, w, h):
    t.leaf("Framework.Panel", name, x, y, w, h, looks="Card")


def device_view(t):
    t.open("PresetEditor.MainControl.DeviceView", "viewDevice", 0, 26, 900, 534, looks="Clear", font=BODY)
    t.leaf("PresetEditor.MainControl.DeviceView.ControllerBody", "controllerBody", 20, 14, 860, 96, looks="Body")
    # Row one: the keybed and the MIDI/USB routing.
    t.open("PresetEditor.Keybed", "keybed", 20, 124, 424, 170, looks="Card", font=BODY)
    label(t, "labelKeybed", 16, 12, 300, 18, looks="Label.Accent", font=HEADING)
    for column, (onoff, value, cls, l1, l2) in enumerate(
            (("transposeOnOff", "transposeValue", "BasicNumericControl", "labelTranspose", "labelTransposeValue"),
             ("splitOnOff", "splitKeyNumber", "BasicNumericControl", "labelSplit", "labelSplitKeyNumber"))):
        x = 16 + column * 204
        label(t, l1, x, 48, 190)
        toggle_parameter(t, onoff, x, 68, 92)
        label(t, l2, x, 104, 190)
        numeric_parameter(t, cls, value, x, 124, 92)
    t.close()
    t.open("PresetEditor.MidiUSB", "midiUSB", 456, 124, 424, 170, looks="Card", font=BODY)
    for column, zone in enumerate("AB"):
        x = 16 + column * 204
        label(t, f"labelMidiChan{zone}", x, 48, 96)
        channel_parameter(t, f"port{zone}MidiChannel", x, 68, 92)
        label(t, f"labelMidiPort{zone}", x, 104, 96)
        toggle_parameter(t, f"midiDinPort{zone}", x, 124, 92)
        label(t, f"labelUsbPort{zone}", x + 104, 104, 96)
        toggle_parameter(t, f"usbPort{zone}", x + 104, 124, 84)
    t.close()
    # Row two: the wheels and the three pedals.
    t.open("PresetEditor.ModPitchWheel", "modPitchWheel", 20, 308, 284, 206, looks="Card", font=BODY)
    label(t, "labelCC", 16, 48, 120)
    numeric_parameter(t, "CCValuePanel", "cc", 16, 68, 92)
    for row, wheel in enumerate(("ModWheel", "PitchWheel")):
        y = 104 + row * 52
        for column, zone in enumerate("AB"):
            x = 16 + column * 130
            name = ("modWheel" if wheel == "ModWheel" else "pitchWheel") + zone
            label(t, f"label{wheel}{zone}", x, y, 124)
            toggle_parameter(t, name, x, y + 20, 120)
    t.close()
    for index, x in enumerate((316, 508, 700)):
        t.open("PresetEditor.Pedal", f"pedal{index + 1}", x, 308, 180, 206, looks="Card", font=BODY)
        label(t, "labelCC", 16, 48, 120)
        numeric_parameter(t, "CCValuePanel", "cc", 16, 68, 92)
        label(t, "labelA", 16, 104, 70)
        toggle_parameter(t, "portA", 16, 124, 70)
        label(t, "labelB", 92, 104, 70)
        toggle_parameter(t, "portB", 92, 124, 70)
        t.close()
    # Group titles, drawn over the cards.
    for name, x, y in (("labelMidiUSB", 472, 136), ("labelModPitchWheel", 36, 320), ("labelSustain", 332, 320),
                       ("labelExpression1", 524, 320), ("labelExpression2", 716, 320)):
        label(t, name, x, y, 250, 18, looks="Label.Accent", font=HEADING)
    t.close()


def main_control(t):
    t.open("PresetEditor.MainControl", "mainControl", None, None, 900, 560, looks="Window", font=BODY)
    t.open("Framework.MainMenu", "mainMenu", 0, 0, 900, 26, looks="MenuBar", font=BODY)
    t.open("Framework.ComboMenu", "templateMenu", None, None, 64, 26, looks="Title", font=BODY)
    popup(t, "popupMenu", 'YPositionRel="1" ClipToParent="0" Z_Order="100"')
    t.close()
    t.close()
    device_view(t)
    t.close()


def curve_row(t, prefix, y):
    label(t, f"{prefix}VelocityCurveLabel", 28, y, 200)
    combo(t, f"{prefix}VelocityCurveComboBox", 28, y + 20, 180, 7)
    label(t, f"{prefix}VelocitySensitivityLabel", 236, y, 180)
    numeric(t, f"{prefix}VelocitySensitivityNumericUpDown", 236, y + 20, 100)


def global_settings(t):
    t.open("PresetEditor.GlobalSettings", "globalSettings", None, None, 440, 276, looks="Dialog", font=BODY)
    label(t, "headingLabel", 28, 20, 384, 22, looks="Label.Accent", font=HEADING)
    t.leaf("Framework.Panel", "settingsCard", 16, 56, 408, 152, looks="Card")
    curve_row(t, "whiteKey", 72)
    curve_row(t, "blackKey", 140)
    t.leaf("Framework.Button", "recieveGlobalSettingsButton", 16, 226, 100, 30, looks="Push", font=BOLD,
           extra='TabStop="1"')
    t.leaf("Framework.Button", "sendGlobalSettingsButton", 212, 226, 100, 30, looks="Primary", font=BOLD,
           extra='TabStop="1"', params={"AUTO_VALUE_SET": "false"})
    t.leaf("Framework.Button", "buttonClose", 324, 226, 100, 30, looks="Push", font=BOLD, extra='TabStop="1"')
    t.close()


def about(t):
    t.open("PresetEditor.DialogAbout", "dialogAbout", None, None, 420, 260, looks="Dialog", font=BODY)
    t.leaf("Framework.Label", "productLogo", 60, 24, 300, 64, looks="ProductLogo")
    t.leaf("Framework.Label", "labelProduct", 20, 104, 380, 20, looks="Label.Text.Centre", font=BOLD)
    t.leaf("Framework.Label", "labelCopyright", 20, 128, 380, 18, looks="Label.Muted.Centre", font=SMALL)
    t.leaf("Framework.Label", "companyLogo", 130, 160, 160, 36, looks="CompanyLogo")
    t.leaf("Framework.Button", "buttonOK", 160, 212, 100, 30, looks="Push", font=BOLD, extra='TabStop="1"')
    t.close()


def skin_body(skin):
    t = Tree(skin)
    main_control(t)
    global_settings(t)
    about(t)
    t.leaf("Framework.ToolTip", "toolTip", None, None, 260, 24, looks="ToolTip", font=SMALL,
           extra='ClipToParent="0" Z_Order="9999999" TextOverflowXType="Expand"')
    popup(t, "contextMenu", 'ClipToParent="0" Z_Order="9999998"', submenu=False, width=180)
    return t.lines


def document():
    skins = [Skin("CVX1_HighDPI", 2, "Hd"), Skin("CVX1_StandardDPI", 1, "Std")]
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           '<!-- Made by Panel/Resources/Tools/make_skins.py; change that script, not this file. -->',
           '<Selvane_Skin_Definitions>', '<Application Name="PresetEditor"/>']
    out += colour_parts()
    out.append('<Parts>')
    for skin in skins:
        out += parts(skin)
    out.append('</Parts>')
    for skin in skins:
        out += looks(skin)
    for skin in skins:
        out += look_lists(skin)
    out.append('<Skins>')
    for skin in skins:
        out.append(f'  <Skin Name="{skin.name}" FontName="{FONT}" FontSize="{9 * skin.s}" FontStyle="0">')
        out += skin_body(skin)
        out.append('  </Skin>')
    out.append('</Skins>')
    out.append('</Selvane_Skin_Definitions>')
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    target = Path(__file__).resolve().parent.parent / "Skins.xml"
    target.write_text(document(), encoding="utf-8")
