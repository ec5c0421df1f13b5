// SPDX-License-Identifier: GPL-3.0-or-later
// The thin platform layer: everything the windows' logic (the main window's
// model, the viewer and the help window) needs from a window system. They
// touch the screen only through this interface, so the same code runs behind
// the Qt windows and behind the recording stand-in of the tests. The engine
// below them needs no window at all.
#ifndef VELMORA_PLATFORM_PLATFORM_H_
#define VELMORA_PLATFORM_PLATFORM_H_

#include <string>
#include <utility>
#include <vector>

#include "platform/status.h"

namespace velmora {

// Controls whose text or value the logic reads or writes. Controls of the main
// window carry their bare names; those of the viewer and the help window carry
// the window's name in front.
enum class Control {
  Text1, Text2, Text3, Text4, Text5,
  chkIgnore1, chkIgnore2, chkIgnore3, chkIgnore4, chkIgnore5,
  txtOrthography,
  txtExampleLength,
  txtInputFileName,
  chkSyllabified,
  chkVowels,
  chkExclude,
  cmdSearchTranscriptions,  // its caption
  cmdSearchOrthography,     // its caption
  lblListOfNaturalClasses,  // its caption: the key, hints and class list
  frmDisplayOptions_txtSpreadsheetLocation,
  frmDisplayOptions_txtWordProcessorLocation,
  frmHelp_Label1,           // the help text area
};
inline constexpr int kControlCount = static_cast<int>(Control::frmHelp_Label1) + 1;

// Text1 .. Text5 and chkIgnore1 .. chkIgnore5 by box number 1..5.
inline Control TextBox(int box) { return static_cast<Control>(static_cast<int>(Control::Text1) + box - 1); }
inline Control IgnoreBox(int box) {
  return static_cast<Control>(static_cast<int>(Control::chkIgnore1) + box - 1);
}

enum class Window { Form1, frmDisplayOptions, frmHelp };

// A reference text: a title and paragraphs, each followed by a table of two
// columns (what to type, what it means) that may be empty.
struct ReferenceText {
  struct Section {
    std::string text;
    std::vector<std::pair<std::string, std::string>> rows;
  };
  std::string title;
  std::vector<Section> sections;
};
// The reference as one plain text, each table's first column padded with
// blanks to its widest entry.
std::string PlainReference(const ReferenceText& reference);

class Platform {
 public:
  virtual ~Platform() = default;

  // Text of a text box, or caption of a button or label.
  virtual std::string Text(Control control) = 0;
  virtual void SetText(Control control, const std::string& text) = 0;
  // Value of a check box: 1 checked, 0 unchecked.
  virtual int Value(Control control) = 0;
  virtual void SetValue(Control control, int value) = 0;

  // A modal message box with an OK button and the program's default title.
  virtual void MsgBox(const std::string& text) = 0;
  // A modal message box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // Shows a reference with its tables; where there are no tables, as a
  // plain message.
  virtual void ShowReference(const ReferenceText& reference) { MsgBox(PlainReference(reference)); }
  // Lets pending window events run.
  virtual void DoEvents() = 0;

  // Creates a window that is not loaded yet, centred on the screen, not yet
  // shown. The caller then runs the window's own load handler.
  virtual void LoadWindow(Window window) = 0;
  virtual bool IsLoaded(Window window) = 0;
  // Shows a loaded window without blocking and brings it to the front.
  virtual void ShowWindow(Window window) = 0;
  virtual void HideWindow(Window window) = 0;
  // Destroys a window; its controls' texts are lost.
  virtual void UnloadWindow(Window window) = 0;

  // Starts a program with its arguments, not through a shell, without waiting.
  // argv[0] is the program. A failure's reason says why it could not start.
  virtual Status StartProgram(const std::vector<std::string>& argv) = 0;
  // Opens a file with the desktop's default application.
  virtual Status OpenWithDefaultApplication(const std::string& path) = 0;

  // Asks for the end of the program: the caller has closed or abandoned its
  // files; the event loop ends once the running command returns, and main()
  // ends the process.
  virtual void Quit() = 0;
};

}  // namespace velmora

#endif  // VELMORA_PLATFORM_PLATFORM_H_
