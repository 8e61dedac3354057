// A small collection with every kind of name and one title of each medium, for the report tests.
#pragma once

#include "test_support.h"

#include "store/collection.h"

namespace tavrin::test {

// Names: directors, actors (6), composers, boxes, publishers, retailers, infos, infos 2.
inline Collection ReportCollection() {
    Collection c;
    c.List(ListId::Director) = {"RIDLEY SCOTT", "JAMES CAMERON"};
    c.List(ListId::Actor) = {"SIGOURNEY WEAVER", "TOM SKERRITT", "JOHN HURT",
                             "IAN HOLM",         "YAPHET KOTTO", "HARRY DEAN STANTON"};
    c.List(ListId::Composer) = {"JERRY GOLDSMITH"};
    c.List(ListId::Box) = {"ALIEN LEGACY"};
    c.List(ListId::Publisher) = {"FOX", "PIONEER"};
    c.List(ListId::Retailer) = {"LASER WORLD"};
    c.List(ListId::Info) = {"WIDESCREEN EDITION"};
    c.List(ListId::Info2) = {"SECOND PRESSING"};
    return c;
}

// An LD with every field set: "ALIEN" (1979), LD NTSC, 1.85 + 16/9, Dolby Digital, sides 2 and 1.
inline TitleRecord FullLaserDisc() {
    TitleRecord t = MakeTitle("ALIEN", 1979);
    t.SetSupport(0);
    t.SetStandard(0);
    t.SetLength(117);
    t.SetAspectRatio(4);
    t.SetWidescreen169(true);
    t.SetGenre(19);
    t.SetGenre2(13);
    t.SetPublisher(0);
    t.SetDirector(0);
    for (int slot = 0; slot < 5; ++slot)
        t.SetU16(ActorOffsets[slot], static_cast<std::uint16_t>(slot));
    t.SetComposer(0);
    t.SetClvSides(2);
    t.SetCavSides(1);
    t.SetAc3(true);
    t.SetSound(4);
    t.SetMpaa(4);
    t.SetThx(true);
    t.SetDubbed(true);
    t.SetBox(0);
    t.SetCommentary(true);
    t.SetTrailer(true);
    t.SetMultiAngle(true);
    t.SetInfo(0);
    t.SetInfo2(0);
    t.SetFilmRating(5);
    t.SetPictureRating(4);
    t.SetSoundRating(3);
    t.SetBuyDate(36526); // 1 January 2000
    t.SetRetailer(0);
    t.SetPrice(49.99f);
    t.SetUsed(true);
    t.SetViewings(3);
    t.SetWatchDate(36892); // 1 January 2001
    return t;
}

} // namespace tavrin::test
