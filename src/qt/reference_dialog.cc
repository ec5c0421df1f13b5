// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt/reference_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace velmora {
namespace {

QString Html(const std::string& text) {
  return QString::fromStdString(text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

}  // namespace

QString ReferenceHtml(const ReferenceText& reference) {
  QString html = QStringLiteral("<h3>%1</h3>").arg(Html(reference.title));
  for (const ReferenceText::Section& section : reference.sections) {
    html += QStringLiteral("<p>%1</p>").arg(Html(section.text));
    if (section.rows.empty()) continue;
    html += QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">");
    for (const auto& [what, means] : section.rows) {
      html += QStringLiteral("<tr><td style=\"white-space:pre\"><code>%1</code></td><td>%2</td></tr>")
                  .arg(Html(what), Html(means));
    }
    html += QStringLiteral("</table>");
  }
  return html;
}

void ShowReferenceWindow(const ReferenceText& reference, QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setObjectName(QStringLiteral("frmReference"));
  dialog->setWindowTitle(QString::fromStdString(reference.title));
  auto* text = new QTextBrowser(dialog);
  text->setObjectName(QStringLiteral("txtReference"));
  text->setAccessibleName(QString::fromStdString(reference.title));
  text->setHtml(ReferenceHtml(reference));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
  auto* layout = new QVBoxLayout(dialog);
  layout->addWidget(text);
  layout->addWidget(buttons);
  const QFontMetrics metrics(dialog->font());
  dialog->resize(metrics.averageCharWidth() * 100, metrics.height() * 40);
  dialog->show();
}

}  // namespace velmora
