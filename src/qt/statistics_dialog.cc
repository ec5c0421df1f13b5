// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/statistics_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QThread>
#include <QVBoxLayout>
#include <memory>

#include "app/messages.h"
#include "platform/text.h"

namespace velmora {
namespace {

template <typename T>
T* Named(T* widget, const char* name, const char* accessible = nullptr) {
  widget->setObjectName(QString::fromLatin1(name));
  if (accessible != nullptr) widget->setAccessibleName(QString::fromLatin1(accessible));
  return widget;
}

}  // namespace

StatisticsDialog::StatisticsDialog(Form1& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("frmStatistics"));
  setWindowTitle(QStringLiteral("Lexical statistics"));
  status_ = Named(new QLabel(this), "lblStatisticsStatus");
  status_->setWordWrap(true);
  status_->setTextFormat(Qt::PlainText);
  status_->setText(QStringLiteral("The measures of every entry of the input file, written to Statistics.txt."));
  compute_ = Named(new QPushButton(QStringLiteral("Compute"), this), "cmdCompute");
  auto* definitions = Named(new QPushButton(QStringLiteral("Definitions"), this), "cmdDefinitions");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->addButton(compute_, QDialogButtonBox::ActionRole);
  buttons->addButton(definitions, QDialogButtonBox::HelpRole);
  connect(compute_, &QPushButton::clicked, this, &StatisticsDialog::Compute);
  connect(definitions, &QPushButton::clicked, this, [this] { form_.platform().ShowReference(StatisticsReference()); });
  connect(buttons, &QDialogButtonBox::rejected, this, &StatisticsDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Choices());
  layout->addWidget(status_);
  layout->addWidget(buttons);
}

QWidget* StatisticsDialog::Choices() {
  auto* choices = new QWidget(this);
  auto* form = new QFormLayout(choices);
  keepStress_ = Named(new QCheckBox(QStringLiteral("AH0, AH1 and AH2 are different symbols"), this), "chkKeepStress");
  form->addRow(QStringLiteral("Stress:"), keepStress_);
  weight_ = Named(new QComboBox(this), "cboWeight", "Weight of a word in the probabilities");
  weight_->addItems({QStringLiteral("log10(frequency + 1)"), QStringLiteral("its frequency (tokens)"),
                     QStringLiteral("1 (types)")});
  form->addRow(QStringLiteral("Weight of a word:"), weight_);
  cohort_ = Named(new QSpinBox(this), "spnCohort", "Cohort: leading symbols shared");
  cohort_->setRange(1, 99);
  cohort_->setValue(2);
  form->addRow(QStringLiteral("Cohort: leading symbols shared:"), cohort_);
  neighbourLists_ = Named(new QCheckBox(QStringLiteral("Every word's neighbours (Neighbours.txt)"), this),
                          "chkNeighbourLists");
  functionalLoad_ = Named(new QCheckBox(QStringLiteral("Functional load of every pair (FunctionalLoad.txt)"), this),
                          "chkFunctionalLoad");
  form->addRow(QStringLiteral("Also:"), neighbourLists_);
  form->addRow(QString(), functionalLoad_);
  pairX_ = Named(new QLineEdit(this), "txtPairX", "Minimal pairs: first symbol");
  pairY_ = Named(new QLineEdit(this), "txtPairY", "Minimal pairs: second symbol");
  auto* pairs = new QHBoxLayout;
  pairs->addWidget(pairX_);
  pairs->addWidget(pairY_);
  form->addRow(QStringLiteral("Minimal pairs of (MinimalPairs.txt):"), pairs);
  words_ = Named(new QLineEdit(this), "txtWordList", "Word list");
  words_->setPlaceholderText(QStringLiteral("every entry"));
  auto* browse = Named(new QPushButton(QStringLiteral("Browse..."), this), "cmdBrowseWordList");
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Word list"));
    if (!path.isEmpty()) words_->setText(path);
  });
  auto* list = new QHBoxLayout;
  list->addWidget(words_);
  list->addWidget(browse);
  form->addRow(QStringLiteral("Word list:"), list);
  return choices;
}

void StatisticsDialog::Compute() {
  if (running_) return;
  StatisticsJob job;
  job.folder = form_.ProgramFolder;
  job.input = Trim(form_.platform().Text(Control::txtInputFileName));
  job.dictionary = form_.engine.DictionaryPath(job.input);
  job.words = Trim(words_->text().toStdString());
  job.inventory = form_.engine.phonemes();
  job.request.stats.keepStress = keepStress_->isChecked();
  job.request.stats.weight = static_cast<Weight>(weight_->currentIndex());
  job.request.stats.cohort = cohort_->value();
  job.request.neighbourLists = neighbourLists_->isChecked();
  job.request.functionalLoad = functionalLoad_->isChecked();
  const std::string x = Trim(pairX_->text().toStdString()), y = Trim(pairY_->text().toStdString());
  if (!x.empty() || !y.empty()) {
    const bool keep = job.request.stats.keepStress;
    if (x.empty() || y.empty() || KeyOf(x, keep) == KeyOf(y, keep)) {
      status_->setText(QStringLiteral("Minimal pairs need two different symbols."));
      return;
    }
    job.request.minimalPairs = {{x, y}};
  }
  running_ = true;
  compute_->setEnabled(false);
  status_->setText(QStringLiteral("Computing the statistics of %1 ...").arg(QString::fromStdString(job.input)));
  auto outcome = std::make_shared<StatisticsOutcome>();
  QThread* thread = QThread::create([job, outcome] { *outcome = RunStatisticsJob(job); });
  connect(thread, &QThread::finished, this, [this, thread, outcome] {
    thread->deleteLater();
    Finished(*outcome);
  });
  thread->start();
}

void StatisticsDialog::Finished(const StatisticsOutcome& outcome) {
  running_ = false;
  compute_->setEnabled(true);
  status_->setText(QString::fromStdString(outcome.message));
  if (outcome.written) form_.displayOptions.View(form_.mSpreadsheetLocation, "Statistics.txt");
}

void StatisticsDialog::reject() {
  if (!running_) QDialog::reject();
}

}  // namespace velmora
