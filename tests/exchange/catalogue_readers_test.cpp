// The readers of other catalogue programs' XML files, each on a small file written from what the
// format is known to hold: where every value lands in the title, and which files are refused.
#include "exchange/catalogue_source.h"

#include "store/day_number.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tavrin {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string Date(const std::optional<DayNumber>& day) {
    if (!day) return "none";
    const CivilDate d = DateFromDayNumber(*day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
    return text;
}

// A title as lines "field: value", only the fields that hold something, so that a sample's
// expectation reads as a table of where each value landed.
std::string Describe(const SourceTitle& t) {
    std::string out;
    auto line = [&out](std::string_view field, const std::string& value) {
        if (!value.empty()) out.append(field).append(": ").append(value).append("\n");
    };
    auto list = [&line](std::string_view field, const std::vector<std::string>& values) {
        std::string text;
        for (const auto& v : values)
            text += (text.empty() ? "" : " | ") + v;
        line(field, text);
    };
    auto number = [](int n) { return n ? std::to_string(n) : std::string(); };
    line("title", t.title);
    line("year", number(t.year));
    line("length", t.length ? std::to_string(*t.length) : "");
    line("medium", t.medium);
    list("regions", t.regions);
    line("standard", t.standard);
    list("aspect", t.aspectRatios);
    line("widescreen", t.widescreen ? "yes" : "");
    line("panScan", t.panScan ? "yes" : "");
    line("color", t.color);
    line("certification", t.certification);
    line("certificationAge", t.certificationAge ? std::to_string(*t.certificationAge) : "");
    line("certificationSystem", t.certificationSystem);
    list("genres", t.genres);
    list("directors", t.directors);
    std::vector<std::string> actors;
    for (const auto& a : t.actors)
        actors.push_back(a.role.empty() ? a.name : a.name + " as " + a.role);
    list("actors", actors);
    list("composers", t.composers);
    list("publishers", t.publishers);
    list("boxes", t.boxes);
    if (!t.filmRating.empty() || !t.pictureRating.empty() || !t.soundRating.empty())
        line("ratings", t.filmRating + "/" + t.pictureRating + "/" + t.soundRating + " of " +
                            std::to_string(static_cast<int>(t.ratingMaximum)));
    line("viewings", number(t.viewings));
    line("watchDate", t.watchDate ? Date(t.watchDate) : "");
    line("buyDate", t.buyDate ? Date(t.buyDate) : "");
    line("price", t.price);
    line("retailer", t.retailer);
    if (t.cavSides || t.clvSides)
        line("sides", std::to_string(t.cavSides) + " CAV " + std::to_string(t.clvSides) + " CLV");
    std::vector<std::string> audio;
    for (const auto& a : t.audio)
        audio.push_back(a.language + "/" + a.format + (a.channels.empty() ? "" : "/" + a.channels));
    list("audio", audio);
    list("subtitles", t.subtitles);
    line("directorsCut", t.directorsCut ? "yes" : "");
    list("extras", t.extras);
    line("trade", t.trade);
    line("sound", t.sound);
    line("info", t.info);
    line("info2", t.info2);
    std::string cover;
    for (std::uint8_t b : t.cover.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", b);
        cover += hex;
    }
    line("cover", cover.empty() ? t.cover.path : cover + " ." + t.cover.extension);
    for (const auto& note : t.notes)
        line("[" + note.label + "]", note.value);
    return out;
}

std::vector<std::string> DescribeAll(const CatalogueRead& read) {
    std::vector<std::string> titles;
    if (!read) {
        ADD_FAILURE() << "refused: " << read.error().detail;
        return titles;
    }
    for (const auto& t : read->titles)
        titles.push_back(Describe(t));
    return titles;
}

// A zip in memory with the given members.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& members) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    for (const auto& [name, bytes] : members)
        zip_file_add(zip, name.c_str(), zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0);
    zip_close(zip);
    std::string out;
    zip_source_open(buffer);
    char piece[4096];
    for (zip_int64_t n; (n = zip_source_read(buffer, piece, sizeof piece)) > 0;)
        out.append(piece, static_cast<std::size_t>(n));
    zip_source_close(buffer);
    zip_source_free(buffer);
    zip_error_fini(&error);
    return out;
}

constexpr std::string_view TellicoHead = R"(<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE tellico PUBLIC "-//Robby Stephenson/DTD Tellico V11.0//EN" "http://periapsis.org/tellico/dtd/v11/tellico.dtd">
<tellico xmlns="http://periapsis.org/tellico/" syntaxVersion="11">
)";

const std::string TellicoFile = std::string(TellicoHead) + R"(
 <collection title="Films" type="3">
  <fields>
   <field name="_default"/>
   <field name="rating" title="Rating" type="14" flags="2" format="4" category="Personal">
    <prop name="minimum">1</prop><prop name="maximum">10</prop>
   </field>
   <field name="origtitle" title="Original Title" type="1" flags="0" format="1" category="General"/>
   <field name="seen" title="Seen" type="4" flags="0" format="4" category="Personal"/>
   <field name="alttitle" title="Alternative Titles" type="8" flags="1" format="1" category="Alt">
    <prop name="columns">2</prop>
   </field>
   <field name="shelf" title="Shelf" type="1" flags="0" format="4" category="Personal"/>
   <field name="bought" title="Bought On" type="12" flags="0" format="3" category="Personal"/>
  </fields>
  <entry id="12">
   <title>Harbour of Glass</title>
   <origtitle>Port de verre</origtitle>
   <medium>Blu-ray</medium>
   <years><year>1994</year><year>1996</year></years>
   <certification>PG-13 (USA)</certification>
   <genres><genre>Mystery</genre><genre>Drama</genre></genres>
   <nationalitys><nationality>France</nationality><nationality>Belgium</nationality></nationalitys>
   <regions><region>Region 2</region></regions>
   <format>PAL</format>
   <casts>
    <cast><column>Irene Vasko</column><column>Clara</column></cast>
    <cast>Tom Brandt::Guard</cast>
    <cast><column>Mia Lund</column></cast>
   </casts>
   <directors><director>Lea Morel</director></directors>
   <producers><producer>Ana Diaz</producer></producers>
   <writers><writer>Paul Ode</writer><writer>Lea Morel</writer></writers>
   <composers><composer>Jan Hollis</composer></composers>
   <studios><studio>Quay Pictures</studio></studios>
   <languages><language>French</language><language>English</language></languages>
   <audio-tracks><audio-track>Dolby Digital 5.1</audio-track></audio-tracks>
   <subtitles><subtitle>English</subtitle></subtitles>
   <running-time>107</running-time>
   <aspect-ratios><aspect-ratio>2.35:1</aspect-ratio></aspect-ratios>
   <widescreen>true</widescreen>
   <directors-cut>true</directors-cut>
   <gift>true</gift>
   <loaned>true</loaned>
   <color>Color</color>
   <plot>A keeper finds &lt;i&gt;letters&lt;/i&gt;.&lt;br/&gt;Then the sea &amp;amp; the &amp;quot;glass&amp;quot;.</plot>
   <comments>Bought twice.</comments>
   <rating>7</rating>
   <pur_date>2003-06-21</pur_date>
   <pur_price>$19.99</pur_price>
   <keywords><keyword>boxed</keyword><keyword>signed</keyword></keywords>
   <seen>true</seen>
   <alttitles><alttitle><column>Glass Harbour</column><column>UK</column></alttitle></alttitles>
   <shelf>B-4</shelf>
   <bought><year>2003</year><month>6</month></bought>
   <cover>3c1f0a9be27d45c68a0e5b7d2f9c1e44.jpeg</cover>
   <cdate calendar="gregorian"><year>2001</year><month>01</month><day>02</day></cdate>
   <id>12</id>
  </entry>
  <entry id="13">
   <title>  Salt Road </title>
   <running-time>1:47:00</running-time>
   <cover>file:///home/ann/covers/salt.png</cover>
   <cdate calendar="gregorian"><year>2001</year><month>01</month><day>02</day></cdate>
   <loaned>true</loaned>
  </entry>
  <images>
   <image format="JPEG" id="3c1f0a9be27d45c68a0e5b7d2f9c1e44.jpeg" width="2" height="2">/9j/4AAQ
SkZJRg==</image>
  </images>
 </collection>
 <borrowers>
  <borrower name="Ann Kell" uid="u1">
   <loan uid="l1" entryRef="12" loanDate="2004-03-01" dueDate="2004-03-15">in the blue box</loan>
  </borrower>
 </borrowers>
</tellico>
)";

TEST(CatalogueReadersTest, TellicoValuesLandInTheirFields) {
    const auto titles = DescribeAll(ReadTellico(Bytes(TellicoFile)));
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], R"(title: Harbour of Glass
year: 1994
length: 107
medium: Blu-ray
regions: Region 2
standard: PAL
aspect: 2.35:1
widescreen: yes
color: Color
certification: PG-13 (USA)
genres: Mystery | Drama
directors: Lea Morel
actors: Irene Vasko as Clara | Tom Brandt as Guard | Mia Lund
composers: Jan Hollis
publishers: Quay Pictures
ratings: 7// of 10
viewings: 1
buyDate: 2003-06-21
price: $19.99
audio: French/Dolby Digital 5.1 | English/Dolby Digital 5.1
subtitles: English
directorsCut: yes
cover: ffd8ffe000104a464946 .jpeg
[Original title]: Port de verre
[Country]: France; Belgium
[Producers]: Ana Diaz
[Writers]: Paul Ode; Lea Morel
[Plot]: A keeper finds letters.
Then the sea & the "glass".
[Tags]: boxed; signed
[Other titles]: Glass Harbour, UK
[Lent to]: Ann Kell, since 2004-03-01, due 2004-03-15: in the blue box
[Comments]: Bought twice.

Other years: 1996
Gift: Yes
Shelf: B-4
Bought On: 2003-6
)");
    EXPECT_EQ(titles[1], R"(title: Salt Road
length: 107
buyDate: 2001-01-02
cover: file:///home/ann/covers/salt.png
[Lent to]: (name not given)
)");
}

TEST(CatalogueReadersTest, TellicoZipHoldsTheCoversAsMembers) {
    const std::string xml = std::string(TellicoHead) + R"(<collection title="F" type="3">
     <entry id="1"><title>Kept</title><cover>aa.png</cover></entry>
     <entry id="2"><title>Lost</title><cover>bb.jpeg</cover></entry>
    </collection></tellico>)";
    const std::string zip = Zip({{"tellico.xml", xml}, {"images/aa.png", "\x89PNG-bytes"}});
    const auto read = ReadTellico(Bytes(zip));
    ASSERT_TRUE(read) << read.error().detail;
    ASSERT_EQ(read->titles.size(), 2u);
    const SourceCover& kept = read->titles[0].cover;
    EXPECT_EQ(std::string(kept.bytes.begin(), kept.bytes.end()), "\x89PNG-bytes");
    EXPECT_EQ(kept.extension, "png");
    // A picture the zip does not hold is looked for by its id beside the file.
    EXPECT_EQ(read->titles[1].cover.path, "bb.jpeg");
    EXPECT_TRUE(read->titles[1].cover.bytes.empty());
}

TEST(CatalogueReadersTest, GcstarValuesLandInTheirFields) {
    const auto titles = DescribeAll(ReadGcstar(Bytes(R"x(<?xml version="1.0" encoding="UTF-8"?>
<collection type="GCfilms" items="2" version="1.7.0">
 <information><maxId>5</maxId></information>
 <item id="4" title="Salt Road" original="Route du sel" date="14/02/1979" time="98 min"
  director="Ola Berg, Tim Roe" country="Norway" place="Shelf 2" format="DVD" region="2" video="PAL"
  age="12" rating="7" seen="1" favourite="1" added="14/02/2003" number="2" serie="Roads"
  webPage="http://films.example/salt##Film site" image="images/salt.jpg" backpic="images/back.jpg"
  borrower="Ann" lendDate="01/03/2004" ratingpress="8" rank="">
  <actors>
   <line><col>Piet Harmsen</col><col>The Driver</col></line>
   <line><col>Mia Lund</col></line>
  </actors>
  <genre><line><col>Drama</col></line><line><col>Road movie</col></line></genre>
  <tags><line><col>gift</col></line></tags>
  <audio><line><col>Norwegian</col><col>DTS</col></line></audio>
  <subt><line><col>English</col></line></subt>
  <borrowings><line><col>Bo</col><col>02/01/2003</col><col>09/01/2003</col></line></borrowings>
  <synopsis>Two drivers.
Salt.</synopsis>
  <comment>Region 2 only</comment>
 </item>
 <item id="5" title="Old File" date="circa 1950" time="long" actors="Ann Lee (Mother), Bo Dahl (Son (young))"
  genre="Drama" borrower="none" format="VHS" number="3"/>
</collection>)x")));
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], R"(title: Salt Road
year: 1979
length: 98
medium: DVD
regions: 2
standard: PAL
certificationAge: 12
genres: Drama | Road movie
directors: Ola Berg | Tim Roe
actors: Piet Harmsen as The Driver | Mia Lund
boxes: Roads
ratings: 7// of 10
viewings: 1
buyDate: 2003-02-14
sides: 0 CAV 2 CLV
audio: Norwegian/DTS
subtitles: English
cover: images/salt.jpg
[Original title]: Route du sel
[Country]: Norway
[Location]: Shelf 2
[Tags]: gift; Favourite
[Web]: http://films.example/salt
[Lent to]: Ann, since 2004-03-01; Bo, 2003-01-02 to 2003-01-09
[Plot]: Two drivers.
Salt.
[Comments]: Region 2 only

ratingpress: 8
)");
    EXPECT_EQ(titles[1], R"(title: Old File
year: 1950
medium: VHS
genres: Drama
actors: Ann Lee as Mother | Bo Dahl as Son (young)
[Comments]: Time: long
)");
}

TEST(CatalogueReadersTest, DvdProfilerValuesLandInTheirFields) {
    // Windows-1252 as declared: 0x93 0x94 are quotes, 0x80 the euro sign, 0xE9 an e acute.
    const std::string file = R"(<?xml version="1.0" encoding="windows-1252"?>
<!--DVD Profiler Collection Export-->
<Collection>
 <DVD>
  <ID>111.17</ID>
  <Title>Harbour Box</Title>
  <BoxSet><Parent></Parent><Contents><Content>222.17</Content></Contents></BoxSet>
  <MediaTypes><DVD>true</DVD><HDDVD>false</HDDVD><BluRay>false</BluRay></MediaTypes>
 </DVD>
 <DVD>
  <ID>222.17</ID>
  <MediaTypes><DVD>False</DVD><HDDVD>False</HDDVD><BluRay>True</BluRay></MediaTypes>
  <UPC>012345678905</UPC>
  <Title>Harbour of Glass</Title>
  <DistTrait>Director's Cut</DistTrait>
  <OriginalTitle>Port de verre</OriginalTitle>
  <CountryOfOrigin>France</CountryOfOrigin>
  <ProductionYear>1994</ProductionYear>
  <RunningTime>107</RunningTime>
  <Rating>12</Rating><RatingSystem>BBFC</RatingSystem><RatingAge>12</RatingAge>
  <CollectionType>Owned</CollectionType>
  <Regions><Region>2</Region><Region>4</Region></Regions>
  <Format>
   <FormatAspectRatio>2.35</FormatAspectRatio><FormatVideoStandard>PAL</FormatVideoStandard>
   <FormatPanAndScan>False</FormatPanAndScan><FormatFullFrame>False</FormatFullFrame>
   <Format16X9>True</Format16X9><FormatDualSided>False</FormatDualSided><FormatDualLayered>True</FormatDualLayered>
   <ColorFormat><ClrColor>true</ClrColor><ClrBlackAndWhite>true</ClrBlackAndWhite><ClrColorized>false</ClrColorized><ClrMixed>false</ClrMixed></ColorFormat>
  </Format>
  <Features><FeatureSceneAccess>True</FeatureSceneAccess><FeatureCommentary>True</FeatureCommentary><FeatureTrailer>False</FeatureTrailer><FeatureTHXCertified>True</FeatureTHXCertified><OtherFeatures>Postcards</OtherFeatures></Features>
  <Studios><Studio>Quay Pictures</Studio></Studios>
  <MediaCompanies><MediaCompany>Lighthouse Video</MediaCompany></MediaCompanies>
  <Genres><Genre>Drama</Genre><Genre>Mystery</Genre></Genres>
  <Audio>
   <AudioTrack><AudioContent>French</AudioContent><AudioFormat>Dolby Digital</AudioFormat><AudioChannels>5.1</AudioChannels></AudioTrack>
   <AudioTrack><AudioContent>Commentary</AudioContent><AudioFormat>Dolby Digital</AudioFormat><AudioChannels>2-Channel Stereo</AudioChannels></AudioTrack>
  </Audio>
  <Subtitles><Subtitle>English</Subtitle><Subtitle>Dutch</Subtitle></Subtitles>
  <Actors>
   <Actor FirstName="Irene" MiddleName="" LastName="Vasko" Role="Clara" CreditedAs=""/>
   <Divider Caption="Second film" Type="Episode"/>
   <Actor FirstName="" MiddleName="" LastName="" Role="Guard" CreditedAs="Big Tom"/>
  </Actors>
  <Credits>
   <Credit FirstName="Lea" MiddleName="" LastName="Morel" CreditType="Direction" CreditSubtype="Director"/>
   <Credit FirstName="Jan" MiddleName="" LastName="Hollis" CreditType="Music" CreditSubtype="Composer"/>
   <Credit FirstName="Paul" MiddleName="" LastName="Ode" CreditType="Writing" CreditSubtype="Screenwriter"/>
   <Credit FirstName="Ana" MiddleName="" LastName="Diaz" CreditType="Production" CreditSubtype="Producer"/>
   <Credit FirstName="Kai" MiddleName="" LastName="Ruud" CreditType="Cinematography" CreditSubtype="Director of Photography"/>
  </Credits>
  <Review Film="7" Video="8" Audio="0" Extras="5"/>
  <PurchaseInfo>
   <PurchasePrice DenominationType="EUR" DenominationDesc="Euro" FormattedValue="12,50 )"
                             "\x80"
                             R"(">12.50</PurchasePrice>
   <PurchasePlace>Laser World</PurchasePlace>
   <PurchaseDate>2003-06-21</PurchaseDate>
  </PurchaseInfo>
  <SRP DenominationType="EUR" FormattedValue="19,99 )"
                             "\x80"
                             R"(">19.99</SRP>
  <Discs>
   <Disc><DescriptionSideA>Feature )"
                             "\x93"
                             "Glass"
                             "\x94"
                             R"(</DescriptionSideA><DescriptionSideB></DescriptionSideB>
    <DualSided>False</DualSided><DualLayeredSideA>True</DualLayeredSideA><DualLayeredSideB>False</DualLayeredSideB>
    <Location>Shelf 2</Location><Slot>14</Slot></Disc>
   <Disc><DescriptionSideA>Extras</DescriptionSideA><DualSided>True</DualSided>
    <DualLayeredSideA>False</DualLayeredSideA><DualLayeredSideB>False</DualLayeredSideB></Disc>
  </Discs>
  <Overview>A keeper finds letters.&lt;br&gt;Then the sea.</Overview>
  <EasterEggs>Press up.</EasterEggs>
  <Notes>Caf)"
                             "\xE9"
                             R"( copy.</Notes>
  <Tags><Tag Name="Boxed" FullName="Boxed"/></Tags>
  <LoanInfo><Loaned>True</Loaned><Due>2004-03-15</Due><User FirstName="Ann" LastName="Kell"/></LoanInfo>
  <Events>
   <Event><EventType>Watched</EventType><Timestamp>2004-01-02T20:00:00.000Z</Timestamp></Event>
   <Event><EventType>Borrowed</EventType><Timestamp>2004-03-01T10:00:00.000Z</Timestamp></Event>
   <Event><EventType>Watched</EventType><Timestamp>2005-05-06T20:00:00.000Z</Timestamp></Event>
   <Event><EventType>Watched</EventType><Timestamp>2003-01-01T20:00:00.000Z</Timestamp></Event>
  </Events>
  <BoxSet><Parent>111.17</Parent><Contents/></BoxSet>
 </DVD>
</Collection>)";
    const auto titles = DescribeAll(ReadDvdProfiler(Bytes(file)));
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], "title: Harbour Box\nmedium: DVD\n");
    EXPECT_EQ(titles[1], R"(title: Harbour of Glass
year: 1994
length: 107
medium: BluRay
regions: 2 | 4
standard: PAL
aspect: 2.35
widescreen: yes
color: Color and B&W
certification: 12
certificationAge: 12
certificationSystem: BBFC
genres: Drama | Mystery
directors: Lea Morel
actors: Irene Vasko as Clara | Big Tom as Guard
composers: Jan Hollis
publishers: Lighthouse Video | Quay Pictures
boxes: Harbour Box
ratings: 7/8/0 of 10
viewings: 3
watchDate: 2005-05-06
buyDate: 2003-06-21
price: 12.50 EUR
retailer: Laser World
sides: 1 CAV 2 CLV
audio: French/Dolby Digital/5.1 | Commentary/Dolby Digital/2-Channel Stereo
subtitles: English | Dutch
directorsCut: yes
extras: SceneAccess | Commentary | THXCertified | Postcards
trade: Owned
[Original title]: Port de verre
[Edition]: Director's Cut
[Writers]: Paul Ode
[Producers]: Ana Diaz
[Crew]: Director of Photography: Kai Ruud
[Discs]: Feature “Glass”; Extras
[Location]: Shelf 2, slot 14
[Country]: France
[Lent to]: Ann Kell, due 2004-03-15
[Tags]: Boxed
[Barcode]: 012345678905
[Plot]: A keeper finds letters.
Then the sea.
[Comments]: Café copy.

Press up.

Extras review: 5 of 10
List price: 19,99 €
)");
}

TEST(CatalogueReadersTest, CollectorzValuesLandInTheirFields) {
    const auto titles = DescribeAll(ReadCollectorz(Bytes(R"(<?xml version="1.0" encoding="UTF-8"?>
<movieinfo creationdate="3/4/2009 9:15:02 PM">
 <localizedtemplatetexts><title>Title</title></localizedtemplatetexts>
 <moviemetadata><field>Loaned To</field></moviemetadata>
 <movielist>
  <movie>
   <title>Caf&#233; Lumi&#232;re</title>
   <releasedate><year><displayname>2001</displayname></year></releasedate>
   <runtime>104</runtime><runtimeminutes>104 mins</runtimeminutes>
   <format listid="3"><displayname>DVD</displayname><sortname>DVD</sortname></format>
   <cast>
    <star><role>Actor</role><person><displayname>Irene Vasko</displayname><sortname>Vasko, Irene</sortname></person><character>Clara</character></star>
    <star><role>Actor</role><person><displayname>Tom Brandt</displayname></person></star>
   </cast>
   <crew>
    <crewmember><role>Director</role><roleid>dfDirector</roleid><person><displayname>Lea Morel</displayname></person></crewmember>
    <crewmember><role>Musician</role><roleid>dfMusic</roleid><person><displayname>Jan Hollis</displayname></person></crewmember>
    <crewmember><role>Writer</role><roleid>dfWriter</roleid><person><displayname>Paul Ode</displayname></person></crewmember>
    <crewmember><role>Editor</role><roleid>dfEditor</roleid><person><displayname>Siv Ek</displayname></person></crewmember>
   </crew>
   <studios><studio><displayname>Quay Pictures</displayname></studio></studios>
   <distributor><displayname>Lighthouse Video</displayname></distributor>
   <genres><genre><displayname>Drama</displayname></genre><genre><displayname>Romance</displayname></genre></genres>
   <country><displayname>France</displayname></country>
   <language><displayname>French</displayname></language>
   <regions><region><displayname>Region 2</displayname></region></regions>
   <ratios><ratio><displayname>Widescreen (2.40:1, Anamorphic)</displayname></ratio></ratios>
   <color><displayname>Color</displayname></color>
   <layers><displayname>Single Side, Dual Layer</displayname></layers>
   <nritems>2</nritems>
   <audios>
    <audio><displayname>004 Dolby Digital 5.1 [French]</displayname></audio>
    <audio><displayname>DTS 5.1</displayname></audio>
   </audios>
   <subtitles><subtitle><displayname>English</displayname></subtitle></subtitles>
   <mpaarating><displayname>PG-13 (Parental Guidance)</displayname></mpaarating>
   <myrating>8</myrating><myrating></myrating>
   <seenit boolvalue="1">Yes</seenit>
   <viewingdate>5/6/2005</viewingdate>
   <purchaseprice>$19.99</purchaseprice>
   <purchasedate><year><displayname>2003</displayname></year><month>6</month><day>21</day><date>6/21/2003</date></purchasedate>
   <store><displayname>Laser World</displayname></store>
   <collectionstatus listid="1">In Collection</collectionstatus>
   <edition><displayname>Director's Cut</displayname></edition>
   <boxset><displayname>Harbour Box</displayname></boxset>
   <series><displayname>Lumiere</displayname></series>
   <location><displayname>Shelf 2</displayname></location>
   <features><feature><displayname>Commentary</displayname></feature></features>
   <extras><extra><displayname>Photo Gallery</displayname></extra></extras>
   <discs><disc><title>Feature</title><episodes><episode><title>Pilot</title></episode><episode><title>Return</title></episode></episodes></disc></discs>
   <links><link><url>http://cafe.example</url><description>Site</description></link></links>
   <upc>012345678905</upc>
   <plot>Two &lt;b&gt;sisters&lt;/b&gt;.</plot>
   <notes>Signed.</notes>
   <thumbfilepath>Thumbnails\cafe.jpg</thumbfilepath>
   <poster>Images\cafe_front.jpg</poster>
   <loanedto><displayname>Ann Kell</displayname></loanedto>
   <loandate>3/1/2004</loandate>
   <loanduedate>3/15/2004</loanduedate>
   <loannotes>blue box</loannotes>
  </movie>
  <movie><title>Bare</title><thumbfilepath>Thumbnails\bare.jpg</thumbfilepath><seenit boolvalue="0">No</seenit><nritems>3</nritems></movie>
 </movielist>
</movieinfo>)")));
    ASSERT_EQ(titles.size(), 2u);
    EXPECT_EQ(titles[0], R"(title: Café Lumière
year: 2001
length: 104
medium: DVD
regions: Region 2
aspect: Widescreen (2.40:1, Anamorphic)
color: Color
certification: PG-13 (Parental Guidance)
genres: Drama | Romance
directors: Lea Morel
actors: Irene Vasko as Clara | Tom Brandt
composers: Jan Hollis
publishers: Lighthouse Video | Quay Pictures
boxes: Harbour Box | Lumiere
ratings: 8// of 10
viewings: 1
watchDate: 2005-05-06
buyDate: 2003-06-21
price: $19.99
retailer: Laser World
sides: 2 CAV 0 CLV
audio: French/Dolby Digital 5.1 | /DTS 5.1
subtitles: English
directorsCut: yes
extras: Commentary | Photo Gallery
trade: In Collection
cover: Images\cafe_front.jpg
[Writers]: Paul Ode
[Crew]: Editor: Siv Ek
[Edition]: Director's Cut
[Discs]: Feature
[Episodes]: Pilot
Return
[Country]: France
[Languages]: French
[Location]: Shelf 2
[Lent to]: Ann Kell, since 2004-03-01, due 2004-03-15: blue box
[Web]: http://cafe.example
[Barcode]: 012345678905
[Plot]: Two sisters.
[Comments]: Signed.
)");
    EXPECT_EQ(titles[1], "title: Bare\nsides: 0 CAV 3 CLV\ncover: Thumbnails\\bare.jpg\n");
}

TEST(CatalogueReadersTest, GriffithValuesLandInTheirFields) {
    const auto titles = DescribeAll(ReadGriffith(Bytes(R"(<?xml version="1.0" encoding="UTF-8"?>
<root>
	<movie>
		<number>7</number>
		<title>
			Salt Road
		</title>
		<o_title>Saltveien</o_title>
		<year>1979</year>
		<runtime>98</runtime>
		<director>Ola Berg</director>
		<cast>
			Piet Harmsen as The Driver
			Thomas Ash as Jonas as a boy
			Mia Lund
		</cast>
		<studio>North / South Films</studio>
		<genre>Drama / Road movie, Thriller</genre>
		<country>Norway</country>
		<classification>PG</classification>
		<rating>7</rating>
		<seen>1</seen>
		<loaned>1</loaned>
		<media_name>DVD</media_name>
		<collections_name>Roads</collections_name>
		<volumes_name>Volume 1</volumes_name>
		<plot>Two drivers.</plot>
		<notes>Signed.</notes>
		<site>http://salt.example</site>
		<trailer>http://salt.example/trailer</trailer>
		<image>posters/0a1b.jpg</image>
		<color>1</color>
		<condition>0</condition>
	</movie>
</root>)")));
    ASSERT_EQ(titles.size(), 1u);
    EXPECT_EQ(titles[0], R"(title: Salt Road
year: 1979
length: 98
medium: DVD
certification: PG
genres: Drama | Road movie | Thriller
directors: Ola Berg
actors: Piet Harmsen as The Driver | Thomas Ash as Jonas as a boy | Mia Lund
publishers: North / South Films
boxes: Roads | Volume 1
ratings: 7// of 10
viewings: 1
cover: posters/0a1b.jpg
[Original title]: Saltveien
[Country]: Norway
[Lent to]: (name not given)
[Web]: http://salt.example; http://salt.example/trailer
[Plot]: Two drivers.
[Comments]: Signed.

color: 1
)");
}

TEST(CatalogueReadersTest, DataCrowValuesLandInTheirFieldsInBothVersions) {
    const auto old = DescribeAll(ReadDataCrow(Bytes(R"(<?xml version="1.0" encoding="UTF-8"?>
<data-crow-objects>
 <movie>
  <title>Salt Road</title>
  <title-local>Saltveien</title-local>
  <year>1979</year>
  <playlength>1:47:00</playlength>
  <storage-medium>Video CD</storage-medium>
  <aspect-ratio>16:9</aspect-ratio>
  <color>Color</color>
  <certification>PG</certification>
  <rating>9 / 10</rating>
  <state>Seen</state>
  <series>Roads</series>
  <created>2003-02-14</created>
  <modified>2005-01-01</modified>
  <actors><actor><name>Harmsen, Piet</name></actor><actor><name>Mia Lund</name></actor></actors>
  <actors-list>Harmsen, Piet, Mia Lund</actors-list>
  <directors><director><name>Ola Berg</name></director></directors>
  <genres><genre><name>Drama</name></genre></genres>
  <countries><country><name>Norway</name></country></countries>
  <languages><language><name>Norwegian</name></language></languages>
  <audio-languages><language><name>Norwegian</name></language></audio-languages>
  <subtitle-languages><language><name>English</name></language></subtitle-languages>
  <tags><tag><name>boxed</name></tag></tags>
  <loan-status>On loan</loan-status><lend-by>Ann Kell</lend-by>
  <loan-start-date>2004-03-01</loan-start-date><due-date>2004-03-15</due-date>
  <description>Two drivers.</description>
  <webpage>http://salt.example</webpage>
  <ean>012345678905</ean>
  <user-shelf>B-4</user-shelf>
  <video-codec>MPEG-1</video-codec>
  <picture-front>Salt_images/12_PictureFront.jpg</picture-front>
 </movie>
</data-crow-objects>)")));
    ASSERT_EQ(old.size(), 1u);
    EXPECT_EQ(old[0], R"(title: Salt Road
year: 1979
length: 107
medium: Video CD
aspect: 16:9
color: Color
certification: PG
genres: Drama
directors: Ola Berg
actors: Harmsen, Piet | Mia Lund
boxes: Roads
ratings: 9 / 10// of 10
viewings: 1
buyDate: 2003-02-14
audio: Norwegian/
subtitles: English
cover: Salt_images/12_PictureFront.jpg
[Other titles]: Saltveien
[Country]: Norway
[Languages]: Norwegian
[Tags]: boxed
[Lent to]: Ann Kell, since 2004-03-01, due 2004-03-15
[Web]: http://salt.example
[Barcode]: 012345678905
[Plot]: Two drivers.
[Comments]: shelf: B-4
)");

    const auto v5 = DescribeAll(ReadDataCrow(Bytes(R"(<?xml version="1.0" encoding="UTF-8"?>
<data-crow-objects>
 <movie-items>
  <movie>
   <title>Salt Road</title>
   <playlength>6420</playlength>
   <rating>9</rating>
   <storage-medium-items><storage-medium><datacrow-module-index>1</datacrow-module-index><id>x1</id><name>Blu-ray</name></storage-medium></storage-medium-items>
   <state-items><state><name>Not Seen</name></state></state-items>
   <actors-items><actor><id>a1</id><name>Piet Harmsen</name></actor></actors-items>
   <loan-status>Available</loan-status><lend-by>Bo</lend-by>
   <loan-start-date>2003-01-02</loan-start-date><loan-end-date>2003-01-09</loan-end-date>
   <picture-01></picture-01>
   <picture-02>file:///home/ann/dc/x1_2.jpg</picture-02>
  </movie>
 </movie-items>
 <genre-items><genre><name>Drama</name></genre></genre-items>
</data-crow-objects>)")));
    ASSERT_EQ(v5.size(), 1u);
    EXPECT_EQ(v5[0], R"(title: Salt Road
length: 107
medium: Blu-ray
actors: Piet Harmsen
ratings: 9// of 10
cover: file:///home/ann/dc/x1_2.jpg
[Lent to]: Bo, 2003-01-02 to 2003-01-09
[Comments]: State: Not Seen
)");
}

TEST(CatalogueReadersTest, RefusesWhatItCannotRead) {
    const std::string head(TellicoHead);
    const struct {
        CatalogueRead (*reader)(std::span<const std::uint8_t>);
        std::string file;
        CatalogueError error;
        std::string detail;
    } cases[] = {
        {ReadTellico, head + R"(<collection type="2"/></tellico>)", CatalogueError::NotACatalogue,
         "a collection of type 2"},
        {ReadTellico,
         R"(<tellico xmlns="http://periapsis.org/tellico/" syntaxVersion="12"><collection type="3"/></tellico>)",
         CatalogueError::TooNew, "syntax version 12"},
        {ReadTellico, head + R"(<collection type="3"><entry><title>A</entry>)", CatalogueError::Damaged,
         "line 4: Start-end tags mismatch"},
        {ReadTellico, "", CatalogueError::NotACatalogue, "no XML element"},
        {ReadDvdProfiler, "<Collection>\n<DVD><Title>A</DVD>", CatalogueError::Damaged,
         "line 2: Start-end tags mismatch"},
        {ReadGcstar, R"(<collection type="GCbooks"><item title="A Book"/></collection>)",
         CatalogueError::NotACatalogue, "a GCstar collection of type GCbooks"},
        {ReadTellico, "<library><book/></library>", CatalogueError::NotACatalogue,
         "the root element is <library>"},
        {ReadTellico, Zip({{"content.xml", "<x/>"}}), CatalogueError::NotACatalogue,
         "a zip without tellico.xml"},
        {ReadTellico, Zip({{"tellico.xml", "<x/>"}}).substr(0, 40), CatalogueError::Damaged, ""},
        {ReadTellico, "<?xml version='1.0' encoding='KOI8-R'?><tellico/>", CatalogueError::Damaged,
         "the encoding koi8-r is not read"},
    };
    for (const auto& c : cases) {
        const auto read = c.reader(Bytes(c.file));
        ASSERT_FALSE(read) << c.file;
        EXPECT_EQ(read.error().error, c.error) << c.file;
        if (!c.detail.empty()) {
            EXPECT_EQ(read.error().detail, c.detail) << c.file;
        }
    }
}

} // namespace
} // namespace tavrin
