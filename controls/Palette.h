#pragma once

#include <QColor>
#include <QString>

// The colours the widgets share, named for what they are used for. Style
// sheets take them through css(); painting uses the QColor itself.
namespace Palette {

// The dark panels: the file list, its scroll bar and the map.
inline QColor panelBackground()
{
    return QColor(0x16, 0x1d, 0x25);
}
// Text and line work on the dark panels, the control bar and the telemetry strip.
inline QColor panelForeground()
{
    return QColor(0xff, 0xff, 0xff);
}

// A trip's header row in the file list stands out from its recordings.
inline QColor tripHeaderBackground()
{
    return QColor(0x22, 0x2b, 0x36);
}
// The second line of a trip's header: its figures.
inline QColor tripFiguresText()
{
    return QColor(0xa8, 0xb0, 0xba);
}

// Behind the video channels, and the control bar in full screen.
inline QColor videoBackground()
{
    return QColor(0, 0, 0);
}

// The light rounded popups of the control bar and the import panel.
inline QColor popupBackground()
{
    return QColor(231, 231, 231);
}
// Text on the light popups, dialogs and the settings page.
inline QColor popupText()
{
    return QColor(0, 0, 0);
}
// The dark text fields of the settings page, as its save-folder picture draws them.
inline QColor fieldBackground()
{
    return QColor(0x3c, 0x40, 0x43);
}
// The white cards of the prompts and the colour popup.
inline QColor cardBackground()
{
    return QColor(0xff, 0xff, 0xff);
}
// Prompt messages and the colour popup's reset button on Windows 7.
inline QColor promptText()
{
    return QColor(0x0c, 0x10, 0x16);
}

// The filled side of sliders and progress bars, and their handles.
inline QColor accent()
{
    return QColor(0xff, 0x52, 0x00);
}
// Text over the accent-coloured button pictures.
inline QColor accentText()
{
    return QColor(0xff, 0xff, 0xff);
}
// The empty side of sliders and progress bars.
inline QColor trackBackground()
{
    return QColor(0xc8, 0xca, 0xd0);
}

// The gradient of the chosen file row and of the cut dialog's range bar.
inline QColor highlightStart()
{
    return QColor(0xea, 0xa8, 0x33);
}
inline QColor highlightEnd()
{
    return QColor(0xfb, 0x64, 0x0b);
}

inline QColor toolTipBackground()
{
    return QColor(0x80, 0x80, 0x80);
}
inline QColor toolTipText()
{
    return QColor(0xff, 0xff, 0xff);
}

// The cut dialog's range handles: the bar they stretch over what is cut off,
// the round knob and the mark on it.
inline QColor rangeHandleSpan()
{
    return QColor(108, 108, 108);
}
inline QColor rangeHandleKnob()
{
    return QColor(0xff, 0xff, 0xff);
}
inline QColor rangeHandleMark()
{
    return QColor(0xff, 0, 0);
}

// Driving-event marks on the position slider and the G-sensor chart, by the
// stored number of the event's kind: braking, acceleration, turn, impact,
// speeding. The list's event badge takes the impact colour.
inline QColor eventMark(int kind)
{
    switch (kind) {
    case 0:
        return QColor(0xff, 0xd0, 0x00);
    case 1:
        return QColor(0x3d, 0xdc, 0x84);
    case 2:
        return QColor(0x2f, 0x9b, 0xff);
    case 3:
        return QColor(0xff, 0x2d, 0x55);
    default:
        return QColor(0xc0, 0x6c, 0xff);
    }
}

inline QColor withAlpha(QColor colour, int alpha)
{
    colour.setAlpha(alpha);
    return colour;
}

// The colour as style sheet text: "#rrggbb", or "rgba(r, g, b, a)" when translucent.
QString css(const QColor &colour);

} // namespace Palette
