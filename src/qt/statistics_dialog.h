// SPDX-License-Identifier: GPL-3.0-or-later
// View > Lexical statistics...: the choices of velmora-batch --statistics, run
// over the dictionary of the input box in a thread of its own, so the windows
// stay usable; when the files are written, Statistics.txt is opened as the
// viewer opens a result file.
#ifndef VELMORA_QT_STATISTICS_DIALOG_H_
#define VELMORA_QT_STATISTICS_DIALOG_H_

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "app/form1.h"
#include "app/statistics_job.h"

namespace velmora {

class StatisticsDialog : public QDialog {
 public:
  StatisticsDialog(Form1& form, QWidget* parent);
  bool running() const { return running_; }
  // Starts a run with the choices shown; a choice not of its form is named
  // on the status line instead.
  void Compute();

 protected:
  void reject() override;  // not while a run is going on

 private:
  void Finished(const StatisticsOutcome& outcome);
  QWidget* Choices();
  Form1& form_;
  QCheckBox* keepStress_;
  QComboBox* weight_;
  QSpinBox* cohort_;
  QCheckBox* neighbourLists_;
  QCheckBox* functionalLoad_;
  QLineEdit* pairX_;
  QLineEdit* pairY_;
  QLineEdit* words_;
  QLabel* status_;
  QPushButton* compute_;
  bool running_ = false;
};

}  // namespace velmora

#endif  // VELMORA_QT_STATISTICS_DIALOG_H_
