// SPDX-License-Identifier: GPL-3.0-or-later
// A reference text shown beside the main window: its tables as real tables,
// the first column in a fixed-width font, so that the columns line up at any
// font and scale.
#ifndef VELMORA_QT_REFERENCE_DIALOG_H_
#define VELMORA_QT_REFERENCE_DIALOG_H_

#include <QString>
#include <QWidget>

#include "platform/platform.h"

namespace velmora {

// The reference as HTML: a heading, and each paragraph with its table.
QString ReferenceHtml(const ReferenceText& reference);
// Opens a window of its own that the user closes; the main window stays usable.
void ShowReferenceWindow(const ReferenceText& reference, QWidget* parent);

}  // namespace velmora

#endif  // VELMORA_QT_REFERENCE_DIALOG_H_
