// The program's look: the Fusion style with a light blue-grey palette close
// to the colours of the batch panel, and a CJK font named explicitly.
#pragma once

#include <QColor>

class QApplication;

// Colours shared by the windows.
inline const QColor LABEL_COLOUR(66, 72, 80);
inline const QColor DISPLAY_BOX_COLOUR(237, 245, 255);
inline const QColor CHOICE_BOX_COLOUR(239, 246, 255);

// The font family of every window (fontconfig would otherwise pick a
// Japanese face for the Chinese texts).
inline constexpr const char* UI_FONT_FAMILY = "Noto Sans CJK SC";
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
