// TAbout_Form: the About box with the product name, its version and what the
// program was built with.
#pragma once

#include <QDialog>

class QPushButton;

class TAbout_Form : public QDialog {
  Q_OBJECT

 public:
  explicit TAbout_Form(QWidget* parent);

  QPushButton* sButton1;  // "确定"

 private:
  void sButton1Click();
};

// The product name and its version as the About box shows them.
inline const QString PRODUCT_NAME = QStringLiteral("RV820-数显回弹仪分析软件");
inline const QString PRODUCT_VERSION = QStringLiteral("v1.0a");
