#include <cstdio>
#include <exception>

#include "host/validate/CrashGuard.h"
#include "host/validate/Validate.h"

namespace vhost::validate {

void Findings::Add(std::string problem) {
    if (count_++ == 0) first_ = std::move(problem);
}

Verdict Findings::ToVerdict() const {
    if (count_ == 0) return Ok();
    if (count_ == 1) return Fail(first_);
    return Fail(first_ + " (and " + std::to_string(count_ - 1) + " more)");
}

void Report::Check(const std::string& group, const std::string& what,
                   const std::function<Verdict()>& body) {
    CrashGuard::Enter("FAIL " + group + ": " + what + ": ", checks_ + 1, failed_ + 1);
    Verdict verdict;
    try {
        verdict = body();
    } catch (const std::exception& e) {
        verdict = Fail(e.what());
    } catch (...) {
        verdict = Fail("an exception crossed the plug-in's interface");
    }
    CrashGuard::Leave();
    Print(verdict, group, what);
}

void Report::SkipCheck(const std::string& group, const std::string& what, const std::string& why) {
    Print(Skip(why), group, what);
}

void Report::Print(const Verdict& verdict, const std::string& group, const std::string& what) {
    switch (verdict.outcome) {
        case Outcome::Ok:
            ++checks_;
            std::printf("ok   %s: %s\n", group.c_str(), what.c_str());
            break;
        case Outcome::Fail:
            ++checks_;
            ++failed_;
            std::printf("FAIL %s: %s: %s\n", group.c_str(), what.c_str(), verdict.why.c_str());
            break;
        case Outcome::Skip:
            ++skipped_;
            std::printf("skip %s: %s: %s\n", group.c_str(), what.c_str(), verdict.why.c_str());
            break;
    }
    // Each verdict is on screen before the next check can take the process down.
    std::fflush(stdout);
}

std::string Report::Summary() const {
    std::string text = std::to_string(checks_) + " checks, " + std::to_string(failed_) + " failed";
    if (skipped_ > 0) text += ", " + std::to_string(skipped_) + " skipped";
    return text;
}

}  // namespace vhost::validate
