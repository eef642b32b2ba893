#include "app/wizard.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/vbtext.h"

namespace tavro::app {

FrmTs::FrmTs(QWidget* parent)
    : QDialog(parent),
      LblTs_(new QLabel(this)),
      LblTsxh_(new QLabel(this)),
      ChkTsbxs_(new QCheckBox(QStringLiteral("以后不再显示本向导"), this)) {
  setObjectName(QStringLiteral("FrmTs"));
  setWindowTitle(QStringLiteral("操作向导"));
  setModal(false);
  LblTs_->setObjectName(QStringLiteral("LblTs"));
  LblTs_->setWordWrap(true);
  LblTs_->setMinimumWidth(360);
  LblTsxh_->setObjectName(QStringLiteral("LblTsxh"));
  LblTsxh_->setEnabled(false);
  ChkTsbxs_->setObjectName(QStringLiteral("ChkTsbxs"));
  auto* close = new QPushButton(QStringLiteral("关　闭"), this);
  close->setObjectName(QStringLiteral("CmdGb"));
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(ChkTsbxs_);
  bottom->addStretch();
  bottom->addWidget(LblTsxh_);
  bottom->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(LblTs_);
  layout->addLayout(bottom);
}

void FrmTs::Xsxd(int number, const QString& text) {
  LblTs_->setText(text);
  LblTsxh_->setText(QString::number(number));
  ChkTsbxs_->setChecked(false);
  adjustSize();
  show();
  raise();
}

void FrmTs::dismiss() {
  dismissing_ = true;
  close();
  dismissing_ = false;
}

void FrmTs::reject() {
  close();
}

void FrmTs::closeEvent(QCloseEvent* event) {
  if (!dismissing_ && onClosed) onClosed(ValInt(LblTsxh_->text()), ChkTsbxs_->isChecked());
  event->accept();
}

}  // namespace tavro::app
