// SPDX-License-Identifier: GPL-3.0-or-later
// The one status type of every failure: what kind of failure it was, the file
// or folder concerned, the system's description of the reason and, for a file
// that could be read but not understood, the line and what was wrong. The
// message a user reads is made from it by the front end (the window's
// message boxes, velmora-batch's stderr); the code that fails never words it.
#ifndef VELMORA_PLATFORM_STATUS_H_
#define VELMORA_PLATFORM_STATUS_H_

#include <string>
#include <utility>

namespace velmora {

struct Status {
  enum Kind {
    kOk,
    kInUse,     // an existing file may not be written (held by another program, or read-only)
    kNotFound,  // no such file or folder
    kNoSpace,   // the disk (or the user's quota) is full
    kTooLarge,  // a file too large to be read
    kMalformed, // a file or a value that could be read but not understood: line and detail say where and why
    kFailed,    // any other failure
  };
  Kind kind = kOk;
  std::string reason;  // the system's description ("Permission denied"), when not kOk
  std::string path;    // the file or folder concerned, when known
  int code = 0;        // the system's error number, when there is one
  int line = 0;        // kMalformed: the line of the file (from 1), or 0 when none applies
  std::string detail;  // kMalformed: what was wrong, in the reader's terms (the message words it)

  bool ok() const { return kind == kOk; }
  static Status Ok() { return {}; }
  // The status of a failure with the system's error number err.
  static Status FromErrno(int err, std::string path);
  static Status Make(Kind kind, std::string reason, std::string path = std::string()) {
    Status s;
    s.kind = kind;
    s.reason = std::move(reason);
    s.path = std::move(path);
    return s;
  }
  static Status Malformed(std::string path, int line, std::string detail) {
    Status s;
    s.kind = kMalformed;
    s.path = std::move(path);
    s.line = line;
    s.detail = std::move(detail);
    return s;
  }
};

}  // namespace velmora

#endif  // VELMORA_PLATFORM_STATUS_H_
