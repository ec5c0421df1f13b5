// SPDX-License-Identifier: GPL-3.0-or-later
// The search language's part of the main window: a tooltip on each box that
// lists the items it takes, and two entries of the View menu, "Filters..."
// (a small dialog of the five lexical filters, whose values live in Form1)
// and "Search language" (the language with examples). The window's controls
// stay where they are.
#ifndef VELMORA_QT_FILTERS_DIALOG_H_
#define VELMORA_QT_FILTERS_DIALOG_H_

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <array>

#include "app/form1.h"

namespace velmora {

class FiltersDialog : public QDialog {
 public:
  FiltersDialog(Form1& form, QWidget* parent);

  // OK: the fields go to Form1, which refuses a field not of its form (the
  // dialog then stays open).
  void accept() override;

 private:
  Form1& form_;
  std::array<QLineEdit*, Form1::kFilterFields> fields_{};
};

// Adds the tooltips to the boxes Text1..Text5 of client and the two entries
// to view.
void AddSearchLanguageUi(Form1& form, QWidget* client, QMenu* view);

}  // namespace velmora

#endif  // VELMORA_QT_FILTERS_DIALOG_H_
