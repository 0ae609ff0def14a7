#include "s_skin.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QPalette>
#include <QStyleFactory>

void apply_skin(QApplication& app) {
  app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  QStringList families;
  for (const char* family : UI_FONT_FAMILIES) families << QString::fromLatin1(family);
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(UI_FONT_PIXELS);
  app.setFont(font);

  const QColor window(236, 242, 250);
  const QColor text(34, 40, 49);
  QPalette palette;
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, DISPLAY_BOX_COLOUR);
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, QColor(228, 236, 247));
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Light, Qt::white);
  palette.setColor(QPalette::Midlight, QColor(214, 224, 238));
  palette.setColor(QPalette::Mid, QColor(176, 190, 210));
  palette.setColor(QPalette::Dark, QColor(140, 156, 180));
  palette.setColor(QPalette::Shadow, QColor(96, 108, 128));
  palette.setColor(QPalette::Highlight, QColor(58, 122, 204));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 236));
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::PlaceholderText, QColor(140, 148, 160));
  palette.setColor(QPalette::Link, QColor(40, 100, 190));
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Disabled, role, QColor(128, 136, 148));
  }
  palette.setColor(QPalette::Disabled, QPalette::Base, window);
  // A selection stays in its colour when its list or grid loses the focus.
  palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(58, 122, 204));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::white);
  app.setPalette(palette);
}

void style_display_box(QLineEdit& box) {
  box.setEnabled(false);
  QPalette palette = box.palette();
  palette.setColor(QPalette::Disabled, QPalette::Base, DISPLAY_BOX_COLOUR);
  palette.setColor(QPalette::Disabled, QPalette::Text, Qt::black);
  box.setPalette(palette);
}

void style_focus_frame(QAbstractItemView& view) {
  // The colours of the style's own frames: its outline and the highlight.
  const QPalette palette = QApplication::palette();
  const QString outline = palette.color(QPalette::Window).darker(140).name();
  const QString focused = palette.color(QPalette::Highlight).name();
  view.setStyleSheet(QStringLiteral("%1 { border: 1px solid %2; } %1:focus { border: 1px solid %3; }")
                         .arg(QString::fromLatin1(view.metaObject()->className()), outline, focused));
}
