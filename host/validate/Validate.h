// quorvex-host validate: the calls a strict host makes, in groups, each
// check printed as it is made with its verdict. A plug-in is judged only by
// what it does through its exported interface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vhost::validate {

struct Options {
    std::string path;
    double sampleRate = 44100.0;
    int blockSize = 512;
    bool editor = true;
};

enum class Outcome { Ok, Fail, Skip };

struct Verdict {
    Outcome outcome = Outcome::Ok;
    std::string why;
};

inline Verdict Ok() {
    return {};
}
inline Verdict Fail(std::string why) {
    return {Outcome::Fail, std::move(why)};
}
inline Verdict Skip(std::string why) {
    return {Outcome::Skip, std::move(why)};
}

// Collects the problems one check finds across parameters, programs or
// cases; the verdict names the first and counts the rest.
class Findings {
  public:
    void Add(std::string problem);
    bool Empty() const { return count_ == 0; }
    Verdict ToVerdict() const;

  private:
    std::string first_;
    int count_ = 0;
};

// Prints one line per check as it is made ("ok   group: what",
// "FAIL group: what: why", "skip group: what: why") and counts them.
class Report {
  public:
    // Runs one check. An exception from the body is the check's failure; a
    // crash or hang inside it is reported as its failure before the process
    // ends (see CrashGuard).
    void Check(const std::string& group, const std::string& what,
               const std::function<Verdict()>& body);
    void SkipCheck(const std::string& group, const std::string& what, const std::string& why);

    int Checks() const { return checks_; }
    int Failed() const { return failed_; }
    int Skipped() const { return skipped_; }
    // "N checks, M failed" (", K skipped" when some were).
    std::string Summary() const;

  private:
    void Print(const Verdict& verdict, const std::string& group, const std::string& what);

    int checks_ = 0;
    int failed_ = 0;
    int skipped_ = 0;
};

// The checks of one group share its name.
class Group {
  public:
    Group(Report& report, std::string name) : report_(report), name_(std::move(name)) {}
    void Check(const std::string& what, const std::function<Verdict()>& body) {
        report_.Check(name_, what, body);
    }
    void Skip(const std::string& what, const std::string& why) {
        report_.SkipCheck(name_, what, why);
    }

  private:
    Report& report_;
    std::string name_;
};

void CheckLifecycle(Report& report, const Options& options);
void CheckStrings(Report& report, const Options& options);
void CheckParameters(Report& report, const Options& options);
void CheckPrograms(Report& report, const Options& options);
void CheckState(Report& report, const Options& options);
void CheckProcessing(Report& report, const Options& options);
// The display the editor needs (a private X server where none is set) is
// handed to 'keepAlive', so that it outlives every connection the plug-in
// library may still hold until the process ends.
void CheckEditor(Report& report, const Options& options, std::shared_ptr<void>& keepAlive);

}  // namespace vhost::validate
