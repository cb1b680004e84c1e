#include "camera/waypoint_file.h"

#include <filesystem>
#include <system_error>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "gpu/log.h"

const char* const recordedPathFile = "usrpath.wps";

namespace {

constexpr int numbersPerRecord = 6;

bool isDigit(int c) { return c >= '0' && c <= '9'; }

bool isBlank(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// Reads whitespace-separated decimal numbers the way formatted input ("%f")
// does: the longest run that can start a number is taken, an exponent marker
// without digits counts for nothing, and a number may end right where the
// next text begins ("1.2.3" is 1.2 then .3). Infinities, NaNs and hexadecimal
// forms are not part of the format and end the reading.
class NumberReader {
public:
    enum class Result { Number, End, NotANumber, TooLong };

    explicit NumberReader(std::FILE* file) : file_(file) {}

    Result read(float& value)
    {
        int c = std::fgetc(file_);
        while (isBlank(c))
            c = std::fgetc(file_);
        if (c == EOF)
            return Result::End;

        length_ = 0;
        overflowed_ = false;
        if (c == '+' || c == '-')
            c = take(c);
        int digits = 0;
        for (; isDigit(c); ++digits)
            c = take(c);
        if (c == '.') {
            c = take(c);
            for (; isDigit(c); ++digits)
                c = take(c);
        }
        if (digits == 0) {
            std::ungetc(c, file_);
            return Result::NotANumber;
        }
        size_t numberLength = length_;
        if (c == 'e' || c == 'E') {
            c = take(c);
            if (c == '+' || c == '-')
                c = take(c);
            int exponentDigits = 0;
            for (; isDigit(c); ++exponentDigits)
                c = take(c);
            if (exponentDigits > 0)
                numberLength = length_;
        }
        std::ungetc(c, file_);
        if (overflowed_)
            return Result::TooLong;

        text_[numberLength] = '\0';
        char* end = nullptr;
        value = std::strtof(text_, &end);
        return end == text_ + numberLength ? Result::Number : Result::NotANumber;
    }

private:
    // Keeps c in the text and returns the character after it.
    int take(int c)
    {
        if (length_ < maxLength)
            text_[length_++] = static_cast<char>(c);
        else
            overflowed_ = true;
        return std::fgetc(file_);
    }

    // Far beyond any coordinate a path holds; longer text is refused rather
    // than given an unbounded buffer.
    static constexpr size_t maxLength = 255;

    std::FILE* file_;
    char text_[maxLength + 1] = {};
    size_t length_ = 0;
    bool overflowed_ = false;
};

void logFileProblem(const char* fileName, const std::string& problem)
{
    Log::instance()->write(std::string("ERROR: Waypoint file ") + fileName + " " + problem);
}

} // namespace

bool loadWaypoints(CameraPath& path, const char* fileName)
{
    path.waypoints.fill(Waypoint{});
    path.count = 0;

    std::FILE* file = std::fopen(fileName, "r");
    if (!file) {
        Log::instance()->write(std::string("ERROR: Can't open waypoint file: ") + fileName);
        return false;
    }

    NumberReader reader(file);
    for (;;) {
        float numbers[numbersPerRecord];
        int read = 0;
        NumberReader::Result result = NumberReader::Result::Number;
        while (read < numbersPerRecord && (result = reader.read(numbers[read])) == NumberReader::Result::Number)
            ++read;

        if (result == NumberReader::Result::NotANumber || result == NumberReader::Result::TooLong) {
            const char* what = result == NumberReader::Result::TooLong ? "holds a number too long to read"
                                                                       : "holds text that is not a number";
            logFileProblem(fileName, std::string(what) + "; reading stopped after "
                                         + std::to_string(path.count) + " waypoints");
            break;
        }
        if (read < numbersPerRecord)
            break; // the end of the file; a partial record is no record
        if (path.count == CameraPath::capacity) {
            logFileProblem(fileName, "holds more than " + std::to_string(CameraPath::capacity)
                                         + " waypoints; the rest are ignored");
            break;
        }
        Waypoint& waypoint = path.waypoints[path.count++];
        waypoint.eye = {numbers[0], numbers[1], numbers[2]};
        waypoint.target = {numbers[3], numbers[4], numbers[5]};
    }
    std::fclose(file);
    return true;
}

bool appendWaypoint(Vec3 eye, Vec3 target)
{
    // A record cut short (a full disk) would shift every later record by a
    // few numbers, so a failed write takes the file back to where it was.
    std::error_code error;
    const auto status = std::filesystem::status(recordedPathFile, error);
    const bool existed = std::filesystem::exists(status);
    const bool regular = std::filesystem::is_regular_file(status);
    const uintmax_t sizeBefore = regular ? std::filesystem::file_size(recordedPathFile, error) : 0;
    std::FILE* file = std::fopen(recordedPathFile, "a");
    bool written = file != nullptr;
    if (file) {
        written = std::fprintf(file, "%g %g %g\n", eye.x, eye.y, eye.z) > 0 && std::fflush(file) == 0;
        written = written && std::fprintf(file, "%g %g %g\n", target.x, target.y, target.z) > 0
                  && std::fflush(file) == 0;
        written = std::fclose(file) == 0 && written;
        if (!written && regular && !error)
            std::filesystem::resize_file(recordedPathFile, sizeBefore, error);
        else if (!written && !existed)
            std::filesystem::remove(recordedPathFile, error);
    }
    if (!written)
        Log::instance()->write(std::string("ERROR: Can't write waypoint file: ") + recordedPathFile
                               + "; the waypoint was not recorded");
    return written;
}
