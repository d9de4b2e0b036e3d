// The safe save with each of its steps failing in turn: the file that was
// there before is left byte for byte as it was, no temporary file stays
// behind, the failure is reported, and the image can be saved again.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "model/image.h"
#include "model/layout.h"
#include "model/save_faults.h"
#include "tests/support/files.h"
#include "tests/support/realistic_image.h"

namespace fs = std::filesystem;
using namespace quarnel;
using quarnel::testing::readFile;
using quarnel::testing::realisticImage;
using quarnel::testing::TempDir;
using quarnel::testing::writeFile;

namespace {

std::vector<SaveStep> stepsSeen;
SaveStep stepToFail = SaveStep::CreateTemporary;

bool recordStep(SaveStep step) {
    stepsSeen.push_back(step);
    return false;
}

bool failOneStep(SaveStep step) {
    stepsSeen.push_back(step);
    return step == stepToFail;
}

// Installs a hook for one test and removes it however the test ends.
class FaultHook {
public:
    explicit FaultHook(SaveFaultHook hook) {
        stepsSeen.clear();
        setSaveFaultHook(hook);
    }
    ~FaultHook() { setSaveFaultHook(nullptr); }
};

const SaveStep kAllSteps[] = {SaveStep::CreateTemporary, SaveStep::Write, SaveStep::Flush,
                              SaveStep::Close, SaveStep::Replace};

const char* stepName(SaveStep step) {
    switch (step) {
    case SaveStep::CreateTemporary: return "create";
    case SaveStep::Write: return "write";
    case SaveStep::Flush: return "flush";
    case SaveStep::Close: return "close";
    case SaveStep::Replace: return "replace";
    }
    return "?";
}

std::vector<fs::path> folderEntries(const fs::path& folder) {
    std::vector<fs::path> out;
    for (const auto& entry : fs::directory_iterator(folder)) out.push_back(entry.path().filename());
    return out;
}

// An image that differs from the realistic one the old file holds.
Image editedImage() {
    Image image = realisticImage();
    setLineTimeoutItem(image, channelBase(image, 1).base, 9);
    return image;
}

}  // namespace

TEST(SaveFaults, TheHookSeesEveryStepInOrder) {
    TempDir dir;
    FaultHook hook(recordStep);
    Image image = editedImage();
    const SaveOutcome out = saveImageFile(image, dir / "new.bin");
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(stepsSeen, std::vector<SaveStep>(std::begin(kAllSteps), std::end(kAllSteps)));
    Image copy = image;
    EXPECT_EQ(readFile(dir / "new.bin"), saveImageBytes(copy));
}

TEST(SaveFaults, EachFailingStepKeepsTheOldFile) {
    Image old = realisticImage();
    const std::vector<std::uint8_t> oldFile = saveImageBytes(old);
    for (SaveStep step : kAllSteps) {
        for (bool existing : {true, false}) {
            SCOPED_TRACE(std::string(stepName(step)) + (existing ? ", over a file" : ", new file"));
            TempDir dir;
            const fs::path target = dir / "station.bin";
            if (existing) writeFile(target, oldFile);

            Image image = editedImage();
            SaveOutcome out;
            {
                FaultHook hook(failOneStep);
                stepToFail = step;
                out = saveImageFile(image, target);
                // The failing step was reached, and a failure before the
                // replacement never reaches it.
                auto seen = [](SaveStep s) {
                    return std::find(stepsSeen.begin(), stepsSeen.end(), s) != stepsSeen.end();
                };
                EXPECT_TRUE(seen(step));
                EXPECT_EQ(seen(SaveStep::Replace), step == SaveStep::Replace);
            }
            EXPECT_FALSE(out.ok);
            EXPECT_FALSE(out.error.empty());
            EXPECT_EQ(out.bytesWritten, 0u);
            if (existing)
                EXPECT_EQ(readFile(target), oldFile);
            else
                EXPECT_FALSE(fs::exists(target));
            EXPECT_EQ(folderEntries(dir.path()),
                      existing ? std::vector<fs::path>{"station.bin"} : std::vector<fs::path>{});

            // Nothing is lost: the same image saves once the fault is gone.
            const SaveOutcome retry = saveImageFile(image, target);
            ASSERT_TRUE(retry.ok) << retry.error;
            Image copy = image;
            EXPECT_EQ(readFile(target), saveImageBytes(copy));
            EXPECT_NE(readFile(target), oldFile);
        }
    }
}
