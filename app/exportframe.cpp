// The export frame's start, its events and the export button.

#include "app/exportframe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/mainwindow.h"
#include "core/procedures.h"
#include "export/handlers.h"
#include "export/settings_file.h"

namespace tavro::app {

namespace {

// Copies the selection of a list widget into the list's flags.
void copySelection(const QListWidget* widget, ListBox& list) {
  for (int i = 0; i < list.count() && i < widget->count(); ++i)
    list.setSelected(i, widget->item(i)->isSelected());
}

// The font the dialog starts with.
QFont dialogFont(const FontChoice& current) {
  QFont font = QApplication::font();
  if (!current.name.isEmpty()) font.setFamily(current.name);
  if (current.size > 0) font.setPointSizeF(current.size);
  font.setBold(current.bold);
  font.setItalic(current.italic);
  return font;
}

}  // namespace

ExportServices desktopExportServices(QWidget* parent) {
  ExportServices services;
  services.chooseFont = [parent](int k, const FontChoice& current) -> std::optional<FontChoice> {
    bool ok = false;
    const QString title = k == 0 ? QStringLiteral("标题字体字号") : QStringLiteral("正文字体字号");
    const QFont font = QFontDialog::getFont(&ok, dialogFont(current), parent, title);
    if (!ok) return std::nullopt;
    return FontChoice{font.family(), font.pointSizeF(), font.bold(), font.italic()};
  };
  services.openFile = [](const QString& path) {
    if (qEnvironmentVariableIsSet("TAVRO_NO_OPEN")) return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
  services.openFolder = [](const QString& folder) {
    if (!qEnvironmentVariableIsSet("TAVRO_NO_OPEN")) QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
  };
  return services;
}

ExportFrame::ExportFrame(FrmTavroKcapxt& window, QGroupBox* frame)
    : QWidget(),
      window_(window),
      frame_(frame),
      services_(desktopExportServices(&window)),
      settingsPath_(printFormatPath()) {
  setObjectName(QStringLiteral("ExportFrame"));
  buildWidgets();
  auto* layout = new QVBoxLayout(frame);
  layout->setContentsMargins(6, 2, 6, 4);
  layout->addWidget(this);
  connectControls();
  connectSharedControls();
  window.model().exportButtonsChanged = [this] { classShown(); };
  frame->setVisible(false);
}

void ExportFrame::run(const std::function<void(ExportCtx&)>& change) {
  if (mirroring_ || !started_) return;
  window_.dispatch([this, change] {
    Ctx ctx = window_.ctx();
    ExportCtx c = exportCtx(ctx, form_);
    change(c);
    syncMainWindow();
  });
}

void ExportFrame::start() {
  started_ = true;
  Ctx ctx = window_.ctx();
  ExportCtx c = exportCtx(ctx, form_);
  startExportForm(c, settingsPath_);
  // "全部课程" starts cleared, so the course list starts enabled.
  form_.LstKcCtl.enabled = true;
  // The all-scheduled state: the first table kind, and "全校" cleared so a class can be chosen.
  CmbKbzl_Click(c, 0);
  form_.ChkQx = false;
  ChkQx_Click(c);
  syncMainWindow();
}

void ExportFrame::classShown() {
  if (!started_ || !window_.session().state.ExportMode) return;
  Ctx ctx = window_.ctx();
  ExportCtx c = exportCtx(ctx, form_);
  // A class click clears "全部课程" and "全部教师"; the all-scheduled state clears "全校".
  const MainWindowControls& w = window_.model().controls();
  if (form_.ChkQbkc != w.ChkQbkc) {
    form_.ChkQbkc = w.ChkQbkc;
    ChkQbkc_Click(c);
  }
  if (form_.ChkQbjs != w.ChkQbjs) {
    form_.ChkQbjs = w.ChkQbjs;
    ChkQbjs_Click(c);
  }
  if (form_.ChkQx) {
    form_.ChkQx = false;
    ChkQx_Click(c);
  }
  syncMainWindow();
}

void ExportFrame::syncMainWindow() {
  MainWindowControls& w = window_.model().controls();
  w.Kbzl = form_.Kbzl;
  w.ChkQbkc = form_.ChkQbkc;
  w.ChkQbjs = form_.ChkQbjs;
  w.CmdDcEnabled = form_.CmdDc.enabled;
}

void ExportFrame::exportNow() {
  run([this](ExportCtx& c) {
    lastResult_ = CmdDc_Click(c, ExportPaths{settingsPath_, QString()}, hooks_);
    if (auto* bar = window_.findChild<QProgressBar*>(QStringLiteral("PrbJd"))) bar->setValue(form_.progress);
    if (lastResult_.written) reportWritten(c.ui, lastResult_.path);
  });
}

// The status line names the file written; when the desktop did not open it, a question names it
// in full and offers to open its folder.
void ExportFrame::reportWritten(Ui& ui, const QString& path) {
  const QFileInfo file(path);
  ui.status(QStringLiteral("已导出：") + file.fileName());
  if (services_.openFile && services_.openFile(path)) return;
  const QString question = QStringLiteral("　　表格已导出到文件：\r\n") + QDir::toNativeSeparators(path) +
                           QStringLiteral("\r\n　　要打开它所在的文件夹吗？");
  if (Wxx(ui, question) && services_.openFolder) services_.openFolder(file.absolutePath());
}

void ExportFrame::chooseFont(int k) {
  if (mirroring_ || !started_ || !services_.chooseFont) return;
  const std::optional<FontChoice> chosen = services_.chooseFont(k, form_.CMDialog1.at(k));
  run([k, chosen](ExportCtx& c) { CmdZt_Click(c, k, chosen); });
}

void ExportFrame::connectControls() {
  connect(CmbKbzl_, &QComboBox::currentIndexChanged, this, [this](int i) {
    run([this, i](ExportCtx& c) {
      CmbKbzl_Click(c, i);
      window_.model().controls().FraKcCaption = form_.FraKcCaption;
    });
  });
  connect(CmbXiangmu_, &QComboBox::currentIndexChanged, this, [this](int i) {
    run([this, i](ExportCtx& c) {
      const int layer = c.st.OptCqls;
      CmbXiangmu_Click(c, i);
      // Items other than the timetables use the long-term layer; the window shows it too.
      if (c.st.OptCqls != layer) window_.model().OptCqls_Click(c.st.OptCqls);
      window_.model().controls().FraRqfwVisible = false;
    });
  });
  for (int k = 0; k < 2; ++k) {
    connect(OptXzjsfs_[k], &QRadioButton::clicked, this,
            [this, k] { run([k](ExportCtx& c) { OptXzjsfs_Click(c, k); }); });
    connect(CmdZt_[k], &QPushButton::clicked, this, [this, k] { chooseFont(k); });
  }
  connect(CmbMpzs_, &QComboBox::currentIndexChanged, this,
          [this](int row) { run([row](ExportCtx& c) { CmbMpzs_Click(c, row); }); });
  connectDaysAndPeriods();
  connectNameForms();
}

void ExportFrame::connectDaysAndPeriods() {
  for (int k = 0; k < 2; ++k)
    connect(ChkWb_[k], &QCheckBox::clicked, this, [this, k](bool on) {
      run([k, on](ExportCtx& c) {
        c.f.ChkWb[k] = on;
        ChkWb_Click(c, k);
      });
    });
  connect(ChkQz_, &QCheckBox::clicked, this, [this](bool on) {
    run([on](ExportCtx& c) {
      c.f.ChkQz = on;
      ChkQz_Click(c);
    });
  });
  connect(LstXq_, &QListWidget::itemSelectionChanged, this, [this] {
    run([this](ExportCtx& c) {
      copySelection(LstXq_, c.f.LstXq);
      LstXq_Click(c);
    });
  });
  connect(ChkQt_, &QCheckBox::clicked, this, [this](bool on) {
    run([on](ExportCtx& c) {
      c.f.ChkQt = on;
      ChkQt_Click(c);
    });
  });
  connect(LstJc_, &QListWidget::itemSelectionChanged, this, [this] {
    run([this](ExportCtx& c) {
      copySelection(LstJc_, c.f.LstJc);
      LstJc_Click(c);
    });
  });
}

void ExportFrame::connectNameForms() {
  connect(ChkBnfjs_, &QCheckBox::clicked, this, [this](bool on) {
    run([on](ExportCtx& c) {
      c.f.ChkBnfjs = on;
      ChkBnfjs_Click(c);
    });
  });
  connect(ChkBwfjs_, &QCheckBox::clicked, this, [this](bool on) {
    run([on](ExportCtx& c) {
      c.f.ChkBwfjs = on;
      ChkBwfjs_Click(c);
    });
  });
  for (int k = 0; k < 2; ++k) {
    connect(OptJsm_[k], &QRadioButton::clicked, this,
            [this, k] { run([k](ExportCtx& c) { OptJsm_Click(c, k); }); });
    connect(OptBjm_[k], &QRadioButton::clicked, this,
            [this, k] { run([k](ExportCtx& c) { OptBjm_Click(c, k); }); });
    connect(OptKcm_[k], &QRadioButton::clicked, this,
            [this, k] { run([k](ExportCtx& c) { OptKcm_Click(c, k); }); });
  }
  connect(ChkQx_, &QCheckBox::clicked, this, [this](bool on) {
    run([on](ExportCtx& c) {
      c.f.ChkQx = on;
      ChkQx_Click(c);
    });
  });
}

void ExportFrame::connectSharedControls() {
  auto exporting = [this] { return started_ && window_.session().state.ExportMode; };
  if (auto* box = window_.findChild<QCheckBox*>(QStringLiteral("ChkQbkc")))
    connect(box, &QCheckBox::clicked, this, [this, exporting](bool on) {
      if (!exporting()) return;
      run([on](ExportCtx& c) {
        c.f.ChkQbkc = on;
        ChkQbkc_Click(c);
      });
    });
  if (auto* box = window_.findChild<QCheckBox*>(QStringLiteral("ChkQbjs")))
    connect(box, &QCheckBox::clicked, this, [this, exporting](bool on) {
      if (!exporting()) return;
      run([on](ExportCtx& c) {
        c.f.ChkQbjs = on;
        ChkQbjs_Click(c);
      });
    });
  if (auto* list = window_.findChild<QListWidget*>(QStringLiteral("LstJs")))
    connect(list, &QListWidget::itemSelectionChanged, this, [this, exporting] {
      if (exporting()) run([](ExportCtx& c) { LstJs_Click(c); });
    });
  if (auto* list = window_.findChild<QListWidget*>(QStringLiteral("LstKc")))
    connect(list, &QListWidget::itemSelectionChanged, this, [this, exporting, list] {
      if (!exporting()) return;
      run([list](ExportCtx& c) {
        copySelection(list, c.st.LstKc);
        Xsbtnrhdydcjz(c);
        Dcanxsyc(c);
      });
    });
  if (auto* button = window_.findChild<QPushButton*>(QStringLiteral("CmdDc")))
    connect(button, &QPushButton::clicked, this, [this, exporting] {
      if (exporting()) exportNow();
    });
}

}  // namespace tavro::app
