// The main window's start-up, event forwarding, wizard window and exit.

#include "app/mainwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "app/detailwindow.h"
#include "app/exportframe.h"
#include "app/gridview.h"
#include "app/temporarybar.h"
#include "app/wizard.h"
#include "core/errors.h"
#include "core/procedures.h"
#include "core/startup.h"
#include "engine/run.h"
#include "sheets/class_sheet.h"
#include "sheets/combined_sheet.h"
#include "sheets/course_sheet.h"
#include "sheets/school_sheet.h"
#include "sheets/teacher_sheet.h"

namespace tavro::app {

namespace {

// Calls onClick when the watched widget gets a left mouse press.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> onClick)
      : QObject(parent), onClick_(std::move(onClick)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      onClick_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> onClick_;
};

// The data folder as the sheet operations expect it: absolute, with a trailing "/".
QString dataFolderPath(const QString& folder) {
  if (folder.isEmpty()) return QString();
  return QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) + u'/';
}

}  // namespace

void FrmTavroKcapxt::SchedulingHost::startSchedulingRun(Ctx& c) {
  CmdKb_Click(c, vm_);
}

FrmTavroKcapxt::FrmTavroKcapxt(const WindowOptions& options, QWidget* parent)
    : QMainWindow(parent),
      ownUi_(options.ui ? nullptr : std::make_unique<DesktopUi>(this)),
      ui_(options.ui ? options.ui : ownUi_.get()),
      port_(*ui_),
      ownStore_(options.store ? nullptr : openSettingsStore()),
      store_(options.store ? options.store : ownStore_.get()),
      vm_(std::make_unique<MainWindowModel>(session_.ctx(port_))),
      schedulingHost_(*vm_) {
  setObjectName(QStringLiteral("FrmTavroKcapxt"));
  setWindowTitle(QStringLiteral("Tavro中小学排课系统2.0版"));
  setWindowIcon(QIcon::fromTheme(QStringLiteral("tavro")));
  buildWidgets();
  if (ownUi_) connectDesktopUi(*ownUi_);
  connectPort();
  connectEvents();
  connectRunHooks();
  temporaryBar_ = new TemporaryBar(*this);
  vm_->openDetail = detailOpener(*this);
  exportFrame_ = new ExportFrame(*this, FraDc_);
  session_.school.Wjj = dataFolderPath(options.dataFolder);
}

FrmTavroKcapxt::~FrmTavroKcapxt() {
  if (wizard_) wizard_->onClosed = nullptr;
}

void FrmTavroKcapxt::startUp() {
  move(x(), 0);
  show();
  QCoreApplication::processEvents();
  RunState& st = session_.state;
  st.Cshwc = true;
  applyStartValues(session_.school, st, QDate::currentDate());
  readSettings(*store_, session_.school, st);
  vm_->Xsypwpbjs();
  vm_->showStartHint();
  refresh();
}

void FrmTavroKcapxt::connectDesktopUi(DesktopUi& ui) {
  ui.onTip = [this](int number, const QString& text) { showTip(number, text); };
}

void FrmTavroKcapxt::connectPort() {
  port_.onProgress = [this](int percent) { Prb_->setValue(std::clamp(percent, 0, 100)); };
  port_.onStatus = [this](const QString& text) { LblJd_->setText(text); };
  // A box shows over the window as the command has left it so far.
  port_.beforeDialog = [this] {
    if (running_) mirrorRunState();
  };
}

void FrmTavroKcapxt::connectRunHooks() {
  // Between two classes of a scheduling chain the window shows the run so far and takes its
  // events (commands wait: dispatch refuses them until the run ends).
  vm_->keepWindowAlive = [this] {
    mirrorRunState();
    QCoreApplication::processEvents();
  };
}

void FrmTavroKcapxt::showTip(int number, const QString& text) {
  if (!wizard_) {
    wizard_ = new FrmTs(this);
    wizard_->onClosed = [this](int tip, bool hide) {
      closeWizard(*store_, session_.school, session_.state, tip, hide);
    };
  }
  wizard_->Xsxd(number, text);
}

void FrmTavroKcapxt::dispatch(const std::function<void()>& event) {
  if (ended_) return;
  if (running_) {
    QApplication::beep();  // a command is still running (its events are being shown)
    return;
  }
  running_ = true;
  try {
    event();
  } catch (const ProgramEnd& end) {
    running_ = false;
    endProgram(end.message(), end.shown());
    return;
  } catch (const OperationStopped& stopped) {
    Cwxx(port_, stopped.why());
  } catch (const std::exception& failure) {
    Cwxx(port_, QStringLiteral("操作未能完成：") + QString::fromStdString(failure.what()));
  }
  running_ = false;
  refresh();
}

void FrmTavroKcapxt::endProgram(const QString& message, bool shown) {
  if (!shown) Tsxx(port_, message);
  ended_ = true;
  close();  // the program ends with its last window
}

void FrmTavroKcapxt::closeEvent(QCloseEvent* event) {
  if (running_ && !ended_) {
    // The window cannot go away under a running command; it can be closed once it has ended.
    QApplication::beep();
    event->ignore();
    return;
  }
  if (wizard_) wizard_->dismiss();  // ending the program does not write the wizard's keys
  event->accept();
}

void FrmTavroKcapxt::connectEvents() {
  auto forward = [this](QPushButton* button, std::function<void()> handler) {
    connect(button, &QPushButton::clicked, this, [this, handler] { dispatch(handler); });
  };
  forward(CmdXx_, [this] {
    Ctx c = ctx();
    CmdXx_Click(c, schedulingHost_);
  });
  forward(CmdJs_, [this] {
    Ctx c = ctx();
    CmdJs_Click(c);
  });
  forward(CmdKc_, [this] {
    Ctx c = ctx();
    CmdKc_Click(c);
  });
  forward(CmdHb_, [this] {
    Ctx c = ctx();
    CmdHb_Click(c);
  });
  forward(CmdBj_, [this] {
    Ctx c = ctx();
    CmdBj_Click(c, schedulingHost_);
  });
  forward(CmdKb_, [this] {
    Ctx c = ctx();
    CmdKb_Click(c, *vm_);
  });
  forward(CmdDk_, [this] { vm_->CmdDk_Click(); });
  forward(CmdSc_, [this] { vm_->CmdSc_Click(); });
  connect(CmdTc_, &QPushButton::clicked, this, &QWidget::close);
  connectImprove();
  connect(OptYp_, &QRadioButton::clicked, this, [this] { dispatch([this] { vm_->OptYp_Click(); }); });
  connect(OptWp_, &QRadioButton::clicked, this, [this] { dispatch([this] { vm_->OptWp_Click(); }); });
  for (int i = 0; i < 2; ++i)
    connect(OptCqls_[i], &QRadioButton::clicked, this,
            [this, i] { dispatch([this, i] { vm_->OptCqls_Click(i); }); });
  MSFG0_->onCellClicked = [this](int xq, int jc) { dispatch([this, xq, jc] { vm_->clickCell(xq, jc); }); };
  MSFG0_->onEscape = [this] { dispatch([this] { vm_->cancelSwap(); }); };
  Lbl0_->installEventFilter(new ClickFilter(this, [this] { dispatch([this] { vm_->Lbl_Click(0); }); }));
  connectListEvents();
}

void FrmTavroKcapxt::connectListEvents() {
  connect(LstBj_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { classListClicked(LstBj_->row(item)); });
  connect(LstKc_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const int row = LstKc_->row(item);
    dispatch([this, row] {
      session_.state.LstKc.setListIndex(row);
      vm_->LstKc_Click();
    });
  });
  connect(LstJs_, &QListWidget::itemSelectionChanged, this, [this] { teacherSelectionChanged(); });
  connect(LstJs_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint&) { dispatch([this] { vm_->LstJs_MouseDown(); }); });
  connect(ChkQbkc_, &QCheckBox::toggled, this, [this](bool on) {
    if (!mirroring_) vm_->controls().ChkQbkc = on;
  });
  connect(ChkQbjs_, &QCheckBox::toggled, this, [this](bool on) {
    if (!mirroring_) vm_->controls().ChkQbjs = on;
  });
}

void FrmTavroKcapxt::classListClicked(int row) {
  dispatch([this, row] {
    ListBox& list = session_.state.LstBj;
    if (LstBj_->selectedItems().size() <= 1) {
      vm_->selectClass(row);
      return;
    }
    for (int i = 0; i < list.count() && i < LstBj_->count(); ++i)
      list.setSelected(i, LstBj_->item(i)->isSelected());
    list.setListIndex(row);
    vm_->LstBj_Click();
  });
}

void FrmTavroKcapxt::teacherSelectionChanged() {
  if (mirroring_) return;
  ListBox& list = session_.state.LstJs;
  for (int i = 0; i < list.count() && i < LstJs_->count(); ++i)
    list.setSelected(i, LstJs_->item(i)->isSelected());
  list.setListIndex(LstJs_->currentRow());
}

}  // namespace tavro::app
