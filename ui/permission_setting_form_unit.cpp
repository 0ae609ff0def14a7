#include "permission_setting_form_unit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

TPermission_Setting_Form::TPermission_Setting_Form(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TPermission_Setting_Form"));
  setWindowTitle(QStringLiteral("权限设置"));
  setFixedSize(253, 48);
  sEdit1 = new QLineEdit(QStringLiteral("sEdit1"), this);
  sEdit1->setObjectName(QStringLiteral("sEdit1"));
  sEdit1->setEchoMode(QLineEdit::Password);
  sEdit1->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
  sButton1 = new QPushButton(QStringLiteral("确  定"), this);
  sButton1->setObjectName(QStringLiteral("sButton1"));
  sButton1->setDefault(true);
  connect(sButton1, &QPushButton::clicked, this, &TPermission_Setting_Form::sButton1Click);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(sEdit1, 1);
  layout->addWidget(sButton1);
}

void TPermission_Setting_Form::sButton1Click() { accept(); }
