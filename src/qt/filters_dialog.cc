// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/filters_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "app/form1.h"
#include "app/messages.h"
#include "qt/statistics_dialog.h"

namespace velmora {

FiltersDialog::FiltersDialog(Form1& form, QWidget* parent) : QDialog(parent), form_(form) {
  setObjectName(QStringLiteral("frmFilters"));
  setWindowTitle(QStringLiteral("Filters"));
  static const char* const kLabels[] = {
      "Lowest frequency:", "Highest frequency:", "Segments (MIN-MAX):", "Syllables (MIN-MAX):",
      "Stress pattern (0 1 2 .):", "Neighbours (MIN-MAX):", "Uniqueness point (MIN-MAX):"};
  static const char* const kNames[] = {"txtMinFrequency", "txtMaxFrequency", "txtSegments", "txtSyllables",
                                       "txtStress", "txtNeighbours", "txtUniquenessPoint"};
  auto* fields = new QFormLayout;
  const auto texts = form.FilterTexts();
  for (size_t k = 0; k < fields_.size(); ++k) {
    fields_[k] = new QLineEdit(QString::fromStdString(texts[k]), this);
    fields_[k]->setObjectName(QString::fromLatin1(kNames[k]));
    fields_[k]->setAccessibleName(QString::fromLatin1(kLabels[k]).chopped(1));
    fields->addRow(QString::fromLatin1(kLabels[k]), fields_[k]);
  }
  fields_[2]->setToolTip(QStringLiteral("Segments of the plain transcription: 3-5, 3-, -5 or 4"));
  fields_[3]->setToolTip(QStringLiteral("Vowels (symbols ending in 0, 1 or 2): 2-3, 2-, -3 or 2"));
  fields_[4]->setToolTip(QStringLiteral("The stress digits of the vowels in order, . for any vowel: 10, .1"));
  fields_[5]->setToolTip(QStringLiteral("Words at edit distance one, homophones not counted: 20-, 0, 5-10"));
  fields_[6]->setToolTip(QStringLiteral("The segment at which the word becomes unique from its onset: -3, 4-"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &FiltersDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &FiltersDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
}

void FiltersDialog::accept() {
  std::array<std::string, Form1::kFilterFields> texts;
  for (size_t k = 0; k < texts.size(); ++k) texts[k] = fields_[k]->text().toStdString();
  if (form_.SetFilterTexts(texts)) QDialog::accept();
}

void AddSearchLanguageUi(Form1& form, QWidget* client, QMenu* view) {
  for (int box = 1; box <= kMaxItems; ++box) {
    if (auto* text = client->findChild<QWidget*>(QStringLiteral("Text%1").arg(box))) {
      text->setToolTip(QString::fromStdString(ItemBoxToolTip(box)));
    }
  }
  QAction* filters = view->addAction(QStringLiteral("Filters..."));
  filters->setObjectName(QStringLiteral("mnuFilters"));
  QObject::connect(filters, &QAction::triggered, client, [&form, client] {
    FiltersDialog dialog(form, client->window());
    dialog.exec();
  });
  QAction* statistics = view->addAction(QStringLiteral("Lexical statistics..."));
  statistics->setObjectName(QStringLiteral("mnuStatistics"));
  QObject::connect(statistics, &QAction::triggered, client, [&form, client] {
    auto* dialog = new StatisticsDialog(form, client->window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
  });
  QAction* language = view->addAction(QStringLiteral("Search language"));
  language->setObjectName(QStringLiteral("mnuSearchLanguage"));
  QObject::connect(language, &QAction::triggered, client, [&form] { form.mnuSearchLanguage_Click(); });
}

}  // namespace velmora
