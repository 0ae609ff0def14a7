#include "about_form_unit.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "report/ui_services.h"
#include "s_icons.h"

namespace {

constexpr int DIALOG_WIDTH = 540;
constexpr int DIALOG_HEIGHT = 317;
constexpr int BANNER_WIDTH = 495;
constexpr int BANNER_HEIGHT = 78;
constexpr int NAME_PIXELS = 19;

// The banner across the top of the box: the program's icon and title on a
// blue gradient.
class Banner : public QWidget {
 public:
  explicit Banner(QWidget* parent) : QWidget(parent) { setFixedSize(BANNER_WIDTH, BANNER_HEIGHT); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, width(), height());
    sky.setColorAt(0, QColor(34, 88, 160));
    sky.setColorAt(1, QColor(96, 156, 222));
    p.fillRect(rect(), sky);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    for (int x = -height(); x < width(); x += 14) p.drawLine(x, height(), x + height(), 0);
    p.drawPixmap(18, (height() - 48) / 2, tool_icon(Tool_Icon::Program).pixmap(48, 48));
    QFont title = font();
    title.setPixelSize(24);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRect(80, 0, width() - 90, height()), Qt::AlignVCenter | Qt::AlignLeft, APPLICATION_TITLE);
  }
};

QString compiler_text() {
#if defined(__clang__)
  return QStringLiteral("Clang ") + QString::fromLatin1(__clang_version__);
#elif defined(__GNUC__)
  return QStringLiteral("GCC ") + QString::fromLatin1(__VERSION__);
#else
  return QStringLiteral("C++");
#endif
}

}  // namespace

TAbout_Form::TAbout_Form(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TAbout_Form"));
  setWindowTitle(QStringLiteral("关于..."));
  setFixedSize(DIALOG_WIDTH, DIALOG_HEIGHT);

  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("sPanel1"));
  panel->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  panel->setAutoFillBackground(true);
  QPalette white = panel->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel->setPalette(white);

  auto* name = new QLabel(PRODUCT_NAME, panel);
  name->setObjectName(QStringLiteral("Product_Name_Lbl"));
  QFont bold = name->font();
  bold.setPixelSize(NAME_PIXELS);
  bold.setBold(true);
  name->setFont(bold);
  auto* version = new QLabel(PRODUCT_VERSION, panel);
  version->setObjectName(QStringLiteral("Version_Lbl"));
  auto* heading = new QHBoxLayout;
  heading->addWidget(name);
  heading->addSpacing(10);
  heading->addWidget(version, 0, Qt::AlignBottom);
  heading->addStretch(1);

  const QString lines = QStringLiteral("程序：%1 %2\n界面库：Qt %3（运行于 Qt %4）\n编译器：%5")
                            .arg(APPLICATION_TITLE, PRODUCT_VERSION, QStringLiteral(QT_VERSION_STR),
                                 QString::fromLatin1(qVersion()), compiler_text());
  auto* built_with = new QLabel(lines, panel);
  built_with->setObjectName(QStringLiteral("Built_With_Lbl"));
  built_with->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* inside = new QVBoxLayout(panel);
  inside->setContentsMargins(10, 10, 10, 12);
  inside->addWidget(new Banner(panel), 0, Qt::AlignHCenter);
  inside->addSpacing(12);
  inside->addLayout(heading);
  inside->addSpacing(6);
  inside->addWidget(built_with);
  inside->addStretch(1);

  sButton1 = new QPushButton(QStringLiteral("确定"), this);
  sButton1->setObjectName(QStringLiteral("sButton1"));
  sButton1->setDefault(true);
  connect(sButton1, &QPushButton::clicked, this, &TAbout_Form::sButton1Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(sButton1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 10);
  layout->addWidget(panel, 1);
  layout->addLayout(buttons);
}

void TAbout_Form::sButton1Click() { accept(); }
