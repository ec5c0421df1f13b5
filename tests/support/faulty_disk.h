// A disk that fails the steps a test names and is otherwise the real one:
// put in the place of the program's disk with ScopedDisk.
#ifndef VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_
#define VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_

#include <string>
#include <vector>

#include "platform/disk.h"

namespace velmora {

class FaultyDisk : public RealDisk {
 public:
  enum Step { kRead, kCreate, kWrite, kPutInPlace };
  // Fails step on every file whose name is name ("" for every file) with
  // status, the first `times` times (-1: always). A write fails half-way: the
  // first half of its bytes is written.
  void Fail(Step step, std::string name, Status status, int times = -1) {
    faults_.push_back({step, std::move(name), std::move(status), times});
  }

  Status Read(const std::string& path, std::string* contents) override {
    Status s = Injected(kRead, path);
    return s.ok() ? RealDisk::Read(path, contents) : s;
  }
  Status ReadLarge(const std::string& path, FileBytes* bytes) override {
    Status s = Injected(kRead, path);
    return s.ok() ? RealDisk::ReadLarge(path, bytes) : s;
  }
  Status Create(const std::string& path, NewFile* file) override {
    Status s = Injected(kCreate, path);
    return s.ok() ? RealDisk::Create(path, file) : s;
  }
  Status Write(NewFile& file, std::string_view bytes) override {
    Status s = Injected(kWrite, file.path);
    if (s.ok()) return RealDisk::Write(file, bytes);
    RealDisk::Write(file, bytes.substr(0, bytes.size() / 2));
    return s;
  }
  Status PutInPlace(const std::vector<NewFile*>& files) override {
    for (const NewFile* file : files) {
      Status s = Injected(kPutInPlace, file->path);
      if (!s.ok()) return s;
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
  Status Injected(Step step, const std::string& path) {
    for (Fault& f : faults_) {
      const bool named = f.name.empty() || (path.size() > f.name.size() && path.ends_with("/" + f.name));
      if (f.step != step || !named || f.times == 0) continue;
      if (f.times > 0) --f.times;
      Status s = f.status;
      s.path = path;
      return s;
    }
    return Status::Ok();
  }
  std::vector<Fault> faults_;
};

}  // namespace velmora

#endif  // VELMORA_TESTS_SUPPORT_FAULTY_DISK_H_
