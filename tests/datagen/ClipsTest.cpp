// The archive's three clips, read frame by frame through the show's own clip reader: the sizes,
// rates and lengths the pieces use, moving, light-and-dark pictures to the last frame, and the
// archive holding what the generator composes.
#include "TestFiles.h"
#include "clips/Clips.h"
#include "media/clips/ClipReader.h"
#include "resources/FileArchive.h"
#include "resources/ShowClips.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

TEST(Clips, InTheArchiveHaveTheSizesRatesAndLengthsThePiecesUse) {
    FileArchive archive;
    ASSERT_EQ(archive.readDirectory("data.data"), 0) << "data.data in the build folder (made by datagen)";
    ScratchFolder folder;
    struct Need {
        ShowClipId clip;
        int width, height, minimumFrames;
    };
    // 17.0 s and 11.1 s at 23 frames per second; 3.3 s at 29.
    for (const Need& need : {Need{flightClip, 640, 160, 391}, Need{tunnelClip, 640, 160, 256},
                             Need{solidsClip, 320, 240, 96}}) {
        const ShowClip& clip = showClips[need.clip];
        SCOPED_TRACE(clip.archiveName);
        int32_t size = archive.getFileSize(clip.archiveName);
        ASSERT_GT(size, 0);
        std::unique_ptr<uint8_t[]> bytes(archive.getFile(clip.archiveName));
        writeFileBytes(folder.file(clip.fileName), std::vector<uint8_t>(bytes.get(), bytes.get() + size));
        ClipReader reader(folder.file(clip.fileName));
        ASSERT_EQ(reader.getWidth(), need.width);
        ASSERT_EQ(reader.getHeight(), need.height);
        EXPECT_EQ(reader.frameAtTime(1000), clip.framesPerSecond);
        // The pieces greyscale, threshold and smear these: they need light and dark, and motion up
        // to the last frame they ask for (a shorter file would repeat its last frame there).
        std::vector<uint8_t> rgb(size_t(need.width) * size_t(need.height) * 3), previous;
        long darkPixels = 0, lightPixels = 0, movingFrames = 0;
        bool lastMoved = false;
        for (int k = 0; k < need.minimumFrames; ++k) {
            reader.readFrame(rgb.data(), (k * 1000 + clip.framesPerSecond - 1) / clip.framesPerSecond, false);
            long difference = 0;
            for (size_t i = 0; i < rgb.size(); i += 3) {
                int grey = (rgb[i] + rgb[i + 1] + rgb[i + 2]) / 3;
                darkPixels += grey < 70;
                lightPixels += grey > 170;
                if (!previous.empty()) difference += std::abs(int(rgb[i]) - int(previous[i]));
            }
            lastMoved = !previous.empty() && difference > long(rgb.size() / 3);
            movingFrames += lastMoved;
            previous = rgb;
        }
        const long pixels = long(rgb.size() / 3) * need.minimumFrames;
        EXPECT_GT(darkPixels * 20, pixels);
        EXPECT_GT(lightPixels * 20, pixels);
        EXPECT_GT(movingFrames * 10, need.minimumFrames * 9);
        EXPECT_TRUE(lastMoved);
    }
    // datagen wrote the archive in its own process: the same bytes on every run.
    DataEntry solids = Clips::compose(solidsClip);
    ASSERT_EQ(archive.getFileSize(solids.name.c_str()), int32_t(solids.bytes.size()));
    std::unique_ptr<uint8_t[]> stored(archive.getFile(solids.name.c_str()));
    EXPECT_TRUE(std::equal(solids.bytes.begin(), solids.bytes.end(), stored.get()));
}
