// SPDX-License-Identifier: GPL-3.0-or-later
// A disk that fails the steps a test names and is otherwise the real one:
// put in the program's disk's place with ScopedDisk.
#ifndef VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_
#define VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_

#include <string>
#include <vector>

#include "platform/disk.h"

namespace velmora {

class FaultyDisk : public RealDisk {
 public:
  enum Step { kRead, kCreate, kWrite, kPutInPlace, kMayWrite };
  // Fails step on every file named name ("" for every file) with status, the
  // first `times` times (-1: always). A failed write writes half its bytes.
  void Fail(Step step, std::string name, Status status, int times = -1) {
    faults_.push_back({step, std::move(name), std::move(status), times});
  }

  Status Read(const std::string& path, std::string* contents) override {
    return Or(kRead, path, [&] { return RealDisk::Read(path, contents); });
  }
  Status ReadLarge(const std::string& path, FileBytes* bytes) override {
    return Or(kRead, path, [&] { return RealDisk::ReadLarge(path, bytes); });
  }
  bool MayWrite(const std::string& folder) override {
    return Or(kMayWrite, folder, [&] { return RealDisk::MayWrite(folder) ? Status::Ok() : Status::FromErrno(EACCES, ""); })
        .ok();
  }
  Status Create(const std::string& path, NewFile* file) override {
    return Or(kCreate, path, [&] { return RealDisk::Create(path, file); });
  }
  Status Write(NewFile& file, std::string_view bytes) override {
    return Or(kWrite, file.path, [&] { return RealDisk::Write(file, bytes); },
              [&] { RealDisk::Write(file, bytes.substr(0, bytes.size() / 2)); });
  }
  Status PutInPlace(const std::vector<NewFile*>& files) override {
    for (const NewFile* file : files) {
      if (Status s = Or(kPutInPlace, file->path, [] { return Status::Ok(); }); !s.ok()) return s;
    }
    return RealDisk::PutInPlace(files);
  }

 private:
  struct Fault {
    Step step;
    std::string name;
    Status status;
    int times;
  };
  // The fault's status for path (after `before`), else real().
  template <typename Real, typename Before = void (*)()>
  Status Or(Step step, const std::string& path, Real real, Before before = [] {}) {
    for (Fault& f : faults_) {
      if (f.step != step || f.times == 0 || !(f.name.empty() || path.ends_with("/" + f.name))) continue;
      if (f.times > 0) --f.times;
      before();
      Status s = f.status;
      s.path = path;
      return s;
    }
    return real();
  }
  std::vector<Fault> faults_;
};

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_
