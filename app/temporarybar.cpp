// The temporary changes in the main window: date pickers, "删临" and the
// notice box with its printout.

#include "app/temporarybar.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/exportframe.h"
#include "app/mainwindow.h"
#include "app/noticeprint.h"
#include "core/procedures.h"
#include "temporary/changefile.h"
#include "temporary/dates.h"
#include "temporary/notices.h"

namespace tavro::app {

namespace {

const QString kRemoveRecordsHow = QStringLiteral(
    "选择要删除的临时调课记录（可选多个），再按“删除”；删除后临时课表恢复原样。标有“（今日有效）”的记录今天正"
    "在执行。");
const QString kInForceToday = QStringLiteral("（今日有效）");

// One row of the record list: the marker of a record in force today first (others get as many
// full-width spaces, so the numbers line up), then the record's summary.
QString recordListItem(const ChangeRecord& r, const QString& today) {
  return (r.inForce(today) ? kInForceToday : QString(kInForceToday.size(), QChar(0x3000))) +
         changeRecordSummary(r);
}

// The dialog of "删临": what to do on top, then the records (those in force today marked first);
// several may be chosen.
std::optional<QList<int>> recordDialog(QWidget* parent, const QStringList& summaries) {
  QDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("DlgSclsgk"));
  dialog.setWindowTitle(QStringLiteral("删除临时调课记录"));
  auto* how = new QLabel(kRemoveRecordsHow);
  how->setObjectName(QStringLiteral("LblSclsgk"));
  how->setWordWrap(true);
  auto* list = new QListWidget;
  list->setObjectName(QStringLiteral("LstLsgk"));
  list->setSelectionMode(QAbstractItemView::MultiSelection);
  list->addItems(summaries);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("删除"));
  buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(how);
  layout->addWidget(list);
  layout->addWidget(buttons);
  dialog.resize(900, 400);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  QList<int> rows;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) rows.append(i);
  return rows;
}

}  // namespace

TemporaryBar::TemporaryBar(FrmTavroKcapxt& window)
    : QObject(&window),
      window_(window),
      DTPicker1_(window.findChild<QDateEdit*>(QStringLiteral("DTPicker1"))),
      DTPicker2_(window.findChild<QDateEdit*>(QStringLiteral("DTPicker2"))) {
  initDateRange(window.session().state);
  auto* frame = window.findChild<QGroupBox*>(QStringLiteral("FraRqfw"));
  CmdSclsgk_ = new QPushButton(QStringLiteral("删临"));
  CmdSclsgk_->setObjectName(QStringLiteral("CmdSclsgk"));
  CmdSclsgk_->setToolTip(QStringLiteral("删除临时调课记录"));
  if (frame && frame->layout()) frame->layout()->addWidget(CmdSclsgk_);
  RichTextBoxZb_ = new QTextEdit;
  RichTextBoxZb_->setObjectName(QStringLiteral("RichTextBoxZb"));
  RichTextBoxZb_->setReadOnly(true);
  RichTextBoxZb_->setVisible(false);
  auto* exportFrame = window.findChild<QGroupBox*>(QStringLiteral("FraDc"));
  auto* column = exportFrame ? qobject_cast<QBoxLayout*>(exportFrame->parentWidget()->layout()) : nullptr;
  if (column) column->insertWidget(column->indexOf(exportFrame), RichTextBoxZb_, 1);
  choosePrinter = [this](QPrinter& printer) { return choosePrinterWithDialog(printer, &window_); };
  chooseRecords = [this](const QStringList& summaries) { return recordDialog(&window_, summaries); };
  connect(CmdSclsgk_, &QPushButton::clicked, this, [this] { removeRecords(); });
  connectPickers();
}

void TemporaryBar::connectPickers() {
  if (!DTPicker1_ || !DTPicker2_) return;
  connect(DTPicker1_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    window_.dispatch([this, date] {
      Ctx c = window_.ctx();
      DTPicker1_Change(c, date);
      window_.model().temporaryDatesChanged();
    });
  });
  connect(DTPicker2_, &QDateEdit::dateChanged, this, [this](const QDate& date) {
    window_.dispatch([this, date] {
      Ctx c = window_.ctx();
      DTPicker2_Change(c, date);
      window_.model().temporaryDatesChanged();
    });
  });
}

void TemporaryBar::connectExport() {
  MainWindowModel& vm = window_.model();
  ExportFrame* frame = window_.exportFrame();
  vm.noticesShown = [frame] {
    if (!frame) return;
    frame->form().CmdDcCaption = kPrintCaption;
    frame->form().CmdDc.enabled = true;
  };
  vm.noticesDropped = [frame] {
    if (frame) frame->form().CmdDcCaption = kExportCaption;
  };
  if (frame) {
    frame->hooks().printNotices = [this](ExportCtx&) { printNotices(); };
  }
  // Before the export frame has started, the button prints the notices itself.
  if (auto* button = window_.findChild<QPushButton*>(QStringLiteral("CmdDc"))) {
    connect(button, &QPushButton::clicked, this, [this, frame] {
      const bool exporting = frame && frame->started() && window_.session().state.ExportMode;
      if (exporting || !window_.model().controls().RichTextBoxZbVisible) return;
      window_.dispatch([this] { printNotices(); });
    });
  }
}

void TemporaryBar::refresh() {
  if (!exportConnected_) {
    exportConnected_ = true;
    connectExport();
  }
  const RunState& st = window_.session().state;
  if (DTPicker1_ && DTPicker2_) {
    const QSignalBlocker b1(DTPicker1_), b2(DTPicker2_);
    DTPicker1_->setDate(st.DTPicker1);
    DTPicker2_->setDate(st.DTPicker2);
  }
  const MainWindowControls& w = window_.model().controls();
  QString text = w.RichTextBoxZb;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (RichTextBoxZb_->toPlainText() != text) RichTextBoxZb_->setPlainText(text);
  RichTextBoxZb_->setVisible(w.RichTextBoxZbVisible);
  auto* button = window_.findChild<QPushButton*>(QStringLiteral("CmdDc"));
  const ExportFrame* frame = window_.exportFrame();
  if (button && !(frame && frame->started())) {
    button->setText(w.RichTextBoxZbVisible ? kPrintCaption : kExportCaption);
    if (w.RichTextBoxZbVisible) button->setEnabled(true);
  }
}

bool TemporaryBar::printNotices() {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(kNoticeTitle);
  if (!choosePrinter || !choosePrinter(printer)) return false;
  printNoticeText(window_.model().controls().RichTextBoxZb, printer);
  window_.model().closeNotices();
  if (ExportFrame* frame = window_.exportFrame()) frame->form().CmdDcCaption = kExportCaption;
  return true;
}

void TemporaryBar::removeRecords() {
  window_.dispatch([this] {
    Ctx c = window_.ctx();
    const ChangeFile file = readChangeFile(changeFilePath(c.s));
    if (file.records.isEmpty() && file.stoppingRecord() == 0) {
      Tsxx(c.ui, QStringLiteral("　　没有临时调课记录。"));
      return;
    }
    const QString today = Rqwb(Jtrq(c.st));
    QStringList summaries;
    for (const ChangeRecord& r : file.records) summaries << recordListItem(r, today);
    // A broken record is listed last, so that it can be removed and the records after it apply.
    if (file.stoppingRecord() > 0) summaries << stoppingRecordSummary(file.stoppingRecord());
    const auto rows = chooseRecords ? chooseRecords(summaries) : std::nullopt;
    if (!rows || rows->isEmpty()) return;
    QList<int> numbers;
    for (int row : *rows) {
      if (row >= 0 && row < file.records.size()) numbers.append(file.records[row].number);
      if (row == file.records.size() && file.stoppingRecord() > 0) numbers.append(file.stoppingRecord());
    }
    removeChangeRecords(c, numbers);
    window_.model().dropStaleNotices();
    window_.model().Ckbb();
  });
}

}  // namespace tavro::app
