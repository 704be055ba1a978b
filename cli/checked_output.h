#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Standard output whose every write is checked, the last flush and close
// included. After the first failure nothing more is written, and failure()
// names its cause ("No space left on device", "Broken pipe"). A closed pipe
// is a failure like any other, whether or not SIGPIPE is ignored.
class CheckedOutput {
public:
    explicit CheckedOutput(std::FILE* stream) : m_stream(stream) {}
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // False once anything has failed.
    bool write(std::string_view bytes);
    // Flushes and closes the stream; false when that or anything before
    // failed.
    bool finish();

    std::string failure() const;

private:
    void fail();

    std::FILE* m_stream;
    int m_error = 0;
};
