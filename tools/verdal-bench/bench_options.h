#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

// A camera held still in free fly: eye and target in world units, up (0, 1, 0).
struct FixedView {
    std::array<float, 3> eye{};
    std::array<float, 3> target{};
};

// What a verdal-bench run was asked to do.
struct BenchOptions {
    int width = 1024;
    int height = 768;
    int frames = 300;           // used unless durationSeconds is set
    double durationSeconds = 0; // wall-clock run time instead of a frame count
    int warmupFrames = 0;       // rendered before the counted ones, in no figure
    unsigned stepMilliseconds = 16;
    bool flyMode = false;       // free fly from the start pose instead of the tour
    std::optional<FixedView> view;  // free fly from this pose, held for every frame
    int tourPath = 0;           // the path the tour starts on, 0..2
    std::vector<int> screenshotFrames;
    std::vector<int> memoryFrames;  // frames after which resident memory is reported
    int cycles = 1;             // start-ups and teardowns, one after another, in one context
    std::string screenshotDir = ".";  // absolute once parsed
    std::string resultsFile;    // absolute; empty when no JSON is asked for
    std::string reportDir;      // absolute; empty when no report page is asked for
    std::string frameLogFile;   // absolute; empty when no frame log is asked for
    std::string dataDir;        // the run directory; the current one if empty
    bool validate = false;      // render the validation frames and compare them with references
    std::string referenceDir;   // absolute; empty for the data directory's Validation folder
    bool refreshReferences = false;  // write the validation frames as the new references
    bool overlayText = true;    // false: the overlay's lines are left out (validation)
    bool glDebug = false;
    bool passTimes = false;
    bool help = false;
    bool version = false;
};

// Fills options from the arguments; false with a message in `error` on a
// usage error.
bool parseBenchOptions(int argc, char** argv, BenchOptions& options, std::string& error);

// The --view value as the report prints it: six numbers, each the shortest
// text that reads back as the same float.
std::string formatView(const FixedView& view);

extern const char* const benchUsage;
