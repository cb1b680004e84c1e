#pragma once

// Shared by the bitmap decoder tests: decode bytes through a real file in a
// temp directory, with message boxes recorded instead of shown.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "image/dib_image.h"
#include "support/bmp_writer.h"
#include "support/test_files.h"

class DibTest : public testing::Test {
protected:
    DibTest()
        : dir_(testing_support::makeTempDir("dib")), cwd_(dir_)
    {
        testing_support::recordMessageBoxes();
    }

    std::unique_ptr<DibImage> decode(const std::string& bytes)
    {
        testing_support::writeFile("t.bmp", bytes);
        return loadDibImage("t.bmp");
    }

    static std::vector<uint8_t> rgb(const std::vector<testing_support::Rgb>& pixels)
    {
        std::vector<uint8_t> out;
        for (const auto& p : pixels)
            out.insert(out.end(), p.begin(), p.end());
        return out;
    }

    static std::vector<std::string> boxTexts()
    {
        std::vector<std::string> texts;
        for (const auto& box : testing_support::recordedBoxes())
            texts.push_back(box.text);
        return texts;
    }

    // The decoder refused the bytes with exactly this one message.
    void expectRejected(const std::string& bytes, const std::string& message)
    {
        testing_support::recordedBoxes().clear();
        EXPECT_EQ(decode(bytes), nullptr);
        EXPECT_EQ(boxTexts(), std::vector<std::string>{message});
        for (const auto& box : testing_support::recordedBoxes()) {
            EXPECT_EQ(box.caption, "Error");
            EXPECT_EQ(box.style, platform::MessageBoxStyle::ErrorOk);
        }
    }

    std::filesystem::path dir_;
    testing_support::ScopedWorkingDirectory cwd_;
};
