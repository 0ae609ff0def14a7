// The program's look: the Fusion style with a light blue-grey palette close
// to the colours of the batch panel, and a CJK font named explicitly.
#pragma once

#include <QColor>

class QApplication;

// Colours shared by the windows.
inline const QColor LABEL_COLOUR(66, 72, 80);
inline const QColor DISPLAY_BOX_COLOUR(237, 245, 255);
inline const QColor CHOICE_BOX_COLOUR(239, 246, 255);

// The font families of every window, the first one installed being used:
// Noto Sans CJK SC named explicitly (fontconfig would otherwise pick a
// Japanese face for the Chinese texts), then the Chinese faces that Windows
// has when Noto is not installed there.
inline constexpr const char* UI_FONT_FAMILIES[] = {"Noto Sans CJK SC", "Microsoft YaHei", "SimSun"};
// The pixel size of the program's ordinary text.
inline constexpr int UI_FONT_PIXELS = 12;

void apply_skin(QApplication& app);

class QAbstractItemView;
class QLineEdit;

// A disabled edit that only displays: black text on the display colour.
void style_display_box(QLineEdit& box);

// A list or grid whose frame turns to the highlight colour while it has the
// focus, as the edits' frames do, so that Tab shows where it went.
void style_focus_frame(QAbstractItemView& view);
