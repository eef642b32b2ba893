#include "app/historydialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tavro::app {

namespace {

const QString kHowTo = QStringLiteral(
    "历史文件夹保存了每次调课、删除、排课、恢复等操作之前的课表文件和调课文件，最新的在最前面。"
    "选择一个版本，再按“恢复”，文件就回到那次操作之前的样子；恢复本身也可以用“撤销”取消。");

QTableWidget* versionTable(const QVector<HistoryVersion>& versions) {
  auto* table = new QTableWidget(static_cast<int>(versions.size()), 4);
  table->setObjectName(QStringLiteral("TblLs"));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("时间"), QStringLiteral("操作"), QStringLiteral("班级"), QStringLiteral("文件")});
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setSelectionMode(QAbstractItemView::SingleSelection);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->setVisible(false);
  table->horizontalHeader()->setStretchLastSection(true);
  for (int row = 0; row < versions.size(); ++row) {
    const QStringList texts = historyRowTexts(versions[row]);
    for (int col = 0; col < texts.size(); ++col) table->setItem(row, col, new QTableWidgetItem(texts[col]));
  }
  table->resizeColumnsToContents();
  return table;
}

}  // namespace

QStringList historyRowTexts(const HistoryVersion& version) {
  QString time = version.time;
  if (time.size() == 19) time.replace(13, 1, u':').replace(16, 1, u':');
  if (version.counter > 1) time += QStringLiteral(" (%1)").arg(version.counter);
  return {time, version.action, version.className.isEmpty() ? QStringLiteral("全校") : version.className,
          version.file};
}

HistoryDialog::HistoryDialog(const QVector<HistoryVersion>& versions, QWidget* parent)
    : QDialog(parent), versions_(versions), table_(versionTable(versions)) {
  setObjectName(QStringLiteral("FrmLs"));
  setWindowTitle(QStringLiteral("历史"));
  auto* how = new QLabel(versions.isEmpty() ? QStringLiteral("历史文件夹中还没有保存的版本。") : kHowTo);
  how->setObjectName(QStringLiteral("LblLs"));
  how->setWordWrap(true);
  auto* buttons = new QDialogButtonBox;
  restore_ = buttons->addButton(QStringLiteral("恢复"), QDialogButtonBox::AcceptRole);
  restore_->setObjectName(QStringLiteral("CmdHf"));
  restore_->setEnabled(false);
  buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(table_, &QTableWidget::itemSelectionChanged, this,
          [this] { restore_->setEnabled(!table_->selectedItems().isEmpty()); });
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(how);
  layout->addWidget(table_);
  layout->addWidget(buttons);
  resize(640, 420);
}

std::optional<HistoryVersion> HistoryDialog::chosen() const {
  const int row = table_->currentRow();
  if (result() != QDialog::Accepted || table_->selectedItems().isEmpty() || row < 0 ||
      row >= versions_.size())
    return std::nullopt;
  return versions_[row];
}

}  // namespace tavro::app
