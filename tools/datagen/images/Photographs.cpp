// Sizes, scenes and fade patterns of the eleven photographs, and their JPEG encoding.
#include "images/Photographs.h"

#include "images/JpegEncoder.h"
#include "images/Scenes.h"

const std::vector<PhotographPlan>& Photographs::plans() {
    using S = FadeMaps::Style;
    static const std::vector<PhotographPlan> list = {
        {"data/1.jpg", "data/fade1.jpg", 256, 288, Scenes::mountainsAtDusk, S::RadialNoise},
        {"data/3.jpg", "data/fade3.jpg", 192, 256, Scenes::seaAtSunset, S::RisingSmoke},
        {"data/4.jpg", "data/fade4.jpg", 176, 256, Scenes::colonnade, S::Blinds},
        {"data/5.jpg", "data/fade5.jpg", 240, 200, Scenes::bokehLights, S::Cells},
        {"data/6.jpg", "data/fade6.jpg", 288, 240, Scenes::stillLife, S::Spiral},
        {"data/7.jpg", "data/fade7.jpg", 192, 192, Scenes::cloudsAtEvening, S::Clouds},
        {"data/9.jpg", "data/fade9.jpg", 320, 256, Scenes::skylineAtNight, S::Tiles},
        {"data/15.jpg", "data/fade14.jpg", 320, 240, Scenes::dunes, S::DiagonalWipe},
        {"data/16.jpg", "data/fade16.jpg", 240, 224, Scenes::mistyForest, S::Rings},
        {"data/19.jpg", "data/fade19.jpg", 304, 160, Scenes::aurora, S::AngularSweep},
        {"data/20.jpg", "data/fade20.jpg", 224, 288, Scenes::windowLight, S::Diamonds},
    };
    return list;
}

std::vector<DataEntry> Photographs::composeAll() {
    std::vector<DataEntry> photographs, fadeMaps;
    uint32_t seed = 500;
    for (const PhotographPlan& plan : plans()) {
        Picture picture = plan.render(plan.width, plan.height);
        photographs.push_back({plan.photograph, JpegEncoder::encodeColour(picture, 92, plan.photograph)});
        GreyPicture map = FadeMaps::make(plan.style, plan.width, plan.height, seed++);
        fadeMaps.push_back({plan.fadeMap, JpegEncoder::encodeGrey(map, 95, plan.fadeMap)});
    }
    for (DataEntry& e : fadeMaps) photographs.push_back(std::move(e));
    return photographs;
}
