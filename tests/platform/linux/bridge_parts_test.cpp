// The bridge's parts in-process: the X-Plane messages (the beacon included,
// since multicast cannot be reached from a test), the dataref table, the
// FlightGear line and its XML, an aircraft file's properties in both, the
// message for a dataref or property that never arrives, the bounds of the
// live aircraft, and --source.

#include "aircraft_encoder.h"
#include "arrival_watch.h"
#include "bridge_test_support.h"
#include "fake_xplane.h"

#include "flightgear_properties.h"
#include "flightgear_protocol.h"
#include "flightgear_source.h"
#include "live_aircraft.h"
#include "sim_options.h"
#include "sim/aircraft_file.h"
#include "simulator_presence.h"
#include "xplane_datarefs.h"
#include "xplane_protocol.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <regex>
#include <set>

using namespace bridge_test;

namespace {

std::vector<std::byte> beacon(std::int32_t application, std::uint32_t role, std::uint16_t port, std::string const& name)
{
    std::vector<std::byte> datagram = bytesOf(std::string("BECN\0", 5));
    datagram.push_back(std::byte { 1 });
    datagram.push_back(std::byte { 2 });
    appendInt32(datagram, application);
    appendInt32(datagram, 120400);
    appendInt32(datagram, static_cast<std::int32_t>(role));
    datagram.push_back(static_cast<std::byte>(port & 0xFF));
    datagram.push_back(static_cast<std::byte>(port >> 8));
    std::vector<std::byte> const text = bytesOf(name);
    datagram.insert(datagram.end(), text.begin(), text.end());
    return datagram;
}

TEST(XPlaneMessages, ARequestIsFourHundredThirteenLittleEndianBytes)
{
    auto const request = rrefRequest(20, 258, "sim/time/total_running_time_sec");
    ASSERT_EQ(request.size(), 413u);
    EXPECT_EQ(std::memcmp(request.data(), "RREF\0", 5), 0);
    std::byte const numbers[] = { std::byte { 20 }, {}, {}, {}, std::byte { 2 }, std::byte { 1 }, {}, {} };
    EXPECT_EQ(std::memcmp(request.data() + 5, numbers, 8), 0);
    EXPECT_STREQ(reinterpret_cast<char const*>(request.data() + 13), "sim/time/total_running_time_sec");
    EXPECT_EQ(request[412], std::byte { 0 });

    auto const longest = rrefRequest(0, 0, std::string(450, 'x'));
    EXPECT_EQ(strnlen(reinterpret_cast<char const*>(longest.data() + 13), 400), 399u);
}

TEST(XPlaneMessages, ReplyPairsAreReadWhateverTheFifthHeaderByte)
{
    for (char const* header : { "RREF,", "RREFO", "RREF\0" }) {
        std::vector<std::byte> reply = bytesOf(std::string(header, 5));
        appendInt32(reply, 7);
        appendFloat(reply, -12.5f);
        appendInt32(reply, -1);
        appendFloat(reply, std::numeric_limits<float>::quiet_NaN());
        std::vector<RrefValue> values;
        ASSERT_EQ(parseRrefReply(reply, values), RrefReply::Values) << header;
        ASSERT_EQ(values.size(), 2u);
        EXPECT_EQ(values[0].index, 7);
        EXPECT_EQ(values[0].value, -12.5f);
        EXPECT_EQ(values[1].index, -1);
        EXPECT_TRUE(std::isnan(values[1].value));
    }
    std::vector<RrefValue> values;
    EXPECT_EQ(parseRrefReply(bytesOf("RREF,"), values), RrefReply::Values);
    EXPECT_EQ(parseRrefReply(bytesOf("RREF"), values), RrefReply::Truncated);
    EXPECT_EQ(parseRrefReply(bytesOf("RR"), values), RrefReply::Truncated);
    EXPECT_EQ(parseRrefReply({}, values), RrefReply::Truncated);
    EXPECT_EQ(parseRrefReply(bytesOf("RREF,1234567"), values), RrefReply::Truncated);
    EXPECT_EQ(parseRrefReply(bytesOf("RRFE,12345678"), values), RrefReply::Garbage);
    EXPECT_EQ(parseRrefReply(bytesOf("X"), values), RrefReply::Garbage);
    EXPECT_TRUE(values.empty());
}

TEST(XPlaneMessages, TheBeaconNamesTheMasterAndItsPort)
{
    std::optional<XPlaneBeacon> const found = parseBeacon(beacon(1, 1, 49000, std::string("sim-pc\0", 7)));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->majorVersion, 1);
    EXPECT_EQ(found->minorVersion, 2);
    EXPECT_EQ(found->version, 120400);
    EXPECT_EQ(found->port, 49000);
    EXPECT_EQ(found->computerName, "sim-pc");
    EXPECT_TRUE(found->isMasterXPlane());

    // Newer beacons carry more after the name's zero.
    std::vector<std::byte> longer = beacon(1, 1, 49010, std::string("sim-pc\0\x10\x27", 9));
    EXPECT_EQ(parseBeacon(longer)->computerName, "sim-pc");
    EXPECT_EQ(parseBeacon(longer)->port, 49010);
    // A name without its zero ends with the datagram, or after 500 bytes.
    EXPECT_EQ(parseBeacon(beacon(1, 1, 49000, "pc"))->computerName, "pc");
    EXPECT_EQ(parseBeacon(beacon(1, 1, 49000, std::string(700, 'n')))->computerName.size(), 500u);

    EXPECT_FALSE(parseBeacon(beacon(1, 2, 49000, ""))->isMasterXPlane()); // an external visual
    EXPECT_FALSE(parseBeacon(beacon(2, 1, 49000, ""))->isMasterXPlane()); // PlaneMaker
    std::vector<std::byte> cut = beacon(1, 1, 49000, "");
    cut.pop_back();
    EXPECT_FALSE(parseBeacon(cut));
    std::vector<std::byte> wrongTag = beacon(1, 1, 49000, "pc");
    wrongTag[0] = std::byte { 'X' };
    EXPECT_FALSE(parseBeacon(wrongTag));
}

TEST(DatarefTable, BindsEveryFieldOnceWithDatarefsXPlaneCanTake)
{
    std::vector<DatarefBinding> const bindings = defaultDatarefs();
    std::set<std::string> fields;
    for (DatarefBinding const& binding : bindings) {
        fields.insert(nameOf(binding.field));
        EXPECT_LE(binding.dataref.size(), kMaxDatarefLength);
        EXPECT_EQ(binding.dataref.find("[]"), std::string::npos) << binding.dataref;
    }
    EXPECT_EQ(fields.size(), bindings.size());
    EXPECT_EQ(bindings.size(), 53u);
    auto const n1 = std::find_if(bindings.begin(), bindings.end(),
        [](DatarefBinding const& binding) { return nameOf(binding.field) == "n1.3"; });
    ASSERT_NE(n1, bindings.end());
    EXPECT_EQ(n1->dataref, "sim/cockpit2/engine/indicators/N1_percent[2]");
    auto const fuelFlow = std::find_if(bindings.begin(), bindings.end(),
        [](DatarefBinding const& binding) { return nameOf(binding.field) == "ff.1"; });
    EXPECT_EQ(fuelFlow->factor, 3600); // kilograms a second to an hour
}

TEST(DatarefTable, LinesReplaceOneSlotAllSlotsOrDropAField)
{
    std::vector<DatarefBinding> bindings = defaultDatarefs();
    std::string error;
    ASSERT_TRUE(applyDatarefLines("  # comment\n\n"
                                  "egt = addon/egt[] * 1.5 # per engine\n"
                                  "n2.2=addon/n2_right\r\n"
                                  "door =\n",
        "file", bindings, error))
        << error;
    EXPECT_EQ(bindings.size(), 53u - 4);
    auto const named = [&](std::string const& name) {
        return std::find_if(bindings.begin(), bindings.end(),
            [&](DatarefBinding const& binding) { return nameOf(binding.field) == name; });
    };
    EXPECT_EQ(named("egt.4")->dataref, "addon/egt[3]");
    EXPECT_EQ(named("egt.4")->factor, 1.5);
    EXPECT_EQ(named("n2.2")->dataref, "addon/n2_right");
    EXPECT_EQ(named("n2.1")->dataref, "sim/cockpit2/engine/indicators/N2_percent[0]");
    EXPECT_EQ(named("door.1"), bindings.end());
}

TEST(DatarefTable, AWrongLineIsNamedWithItsNumber)
{
    struct Case {
        char const* line;
        char const* problem;
    };
    Case const cases[] = {
        { "thrust = addon/thrust", "there is no field called \"thrust\"." },
        { "engines.1 = addon/engines", "there is no field called \"engines.1\"." },
        { "n1.5 = addon/n1", "there is no field called \"n1.5\"." },
        { "n1 addon/n1", "write each line as field = dataref, optionally followed by * factor." },
        { "n1 = addon/n1 * lots", "the factor after * must be a number." },
        { "n1 = addon/n1 * nan", "the factor after * must be a number." },
        { "n1 = addon n1", "a dataref is one word of at most 399 characters." },
    };
    for (Case const& wrong : cases) {
        std::vector<DatarefBinding> bindings = defaultDatarefs();
        std::string error;
        EXPECT_FALSE(applyDatarefLines(std::string("n2 = addon/n2\n") + wrong.line, "my.txt", bindings, error));
        EXPECT_EQ(error, std::string("my.txt, line 2: ") + wrong.problem);
    }
    std::vector<DatarefBinding> bindings = defaultDatarefs();
    std::string error;
    EXPECT_TRUE(applyDatarefLines("sim_time = " + std::string(399, 'd'), "f", bindings, error));
    EXPECT_FALSE(applyDatarefLines("sim_time = " + std::string(400, 'd'), "f", bindings, error));
    EXPECT_FALSE(applyDatarefLines("n1 = " + std::string(397, 'd') + "[]", "f", bindings, error));
}

TEST(LiveAircraft, ClampsToBoundsAndRefusesWhatIsNotANumber)
{
    LiveAircraft aircraft;
    EXPECT_EQ(aircraft.value({ LiveQuantity::Engines }), 2); // an A320 until told otherwise
    EXPECT_EQ(aircraft.value({ LiveQuantity::Autobrake }), 1); // off
    EXPECT_TRUE(aircraft.set({ LiveQuantity::N1, 1 }, 1e30));
    EXPECT_EQ(aircraft.value({ LiveQuantity::N1, 1 }), 200);
    EXPECT_TRUE(aircraft.set({ LiveQuantity::Engines }, 8));
    EXPECT_EQ(aircraft.state().engines, 4);
    EXPECT_TRUE(aircraft.set({ LiveQuantity::FuelCentre }, -5));
    EXPECT_EQ(aircraft.value({ LiveQuantity::FuelCentre }), 0);
    EXPECT_TRUE(aircraft.set({ LiveQuantity::Egt, 0 }, 500));
    for (double const bad : { std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
             -std::numeric_limits<double>::infinity() })
        EXPECT_FALSE(aircraft.set({ LiveQuantity::Egt, 0 }, bad));
    EXPECT_EQ(aircraft.value({ LiveQuantity::Egt, 0 }), 500);
    EXPECT_FALSE(aircraft.set({ LiveQuantity::SimTime, 1 }, 5)); // a one-slot field
    EXPECT_FALSE(aircraft.set({ LiveQuantity::N1, 4 }, 5));
    EXPECT_FALSE(aircraft.set({ LiveQuantity::N1, -1 }, 5));
}

// Named values an aircraft file's datarefs deliver: held to what a recording
// can play back, refused when not numbers or for instances the value lacks,
// in place of the standard field for a value the fields carry, and dropped
// when the simulator no longer has them.
TEST(LiveAircraft, NamedValuesAreHeldInRangeAndReplaceTheStandardField)
{
    LiveAircraft aircraft;
    EXPECT_TRUE(std::isnan(aircraft.state().value(AircraftValue::OilTemp, 0)));
    EXPECT_TRUE(aircraft.setNamed(AircraftValue::OilTemp, 1, 5000));
    EXPECT_TRUE(aircraft.setNamed(AircraftValue::ThrustLimitMode, 0, 2.6));
    EXPECT_FALSE(aircraft.setNamed(AircraftValue::OilTemp, 4, 50));
    EXPECT_FALSE(aircraft.setNamed(AircraftValue::ApuN, 1, 50)); // a single value
    EXPECT_FALSE(aircraft.setNamed(AircraftValue::ApuN, 0, std::numeric_limits<double>::quiet_NaN()));
    aircraft.set({ LiveQuantity::FlapAngle }, 10);
    EXPECT_TRUE(aircraft.setNamed(AircraftValue::FlapAngle, 0, 22.5));
    EXPECT_TRUE(aircraft.setNamed(AircraftValue::LeftFuel, 0, 1e9));
    AircraftState const state = aircraft.state();
    EXPECT_EQ(state.value(AircraftValue::OilTemp, 1), 2000);
    EXPECT_TRUE(std::isnan(state.value(AircraftValue::OilTemp, 0)));
    EXPECT_EQ(state.value(AircraftValue::ThrustLimitMode), 3); // a code is whole
    EXPECT_TRUE(std::isnan(state.value(AircraftValue::ApuN)));
    EXPECT_EQ(state.flapAngle, 22.5);
    EXPECT_EQ(state.fuelLeftMain, 1e6);

    // The simulator no longer has them: not available, or the field's own.
    aircraft.forgetNamed(AircraftValue::ThrustLimitMode, 0);
    aircraft.forgetNamed(AircraftValue::FlapAngle, 0);
    aircraft.forgetNamed(AircraftValue::ApuN, 0); // never set: nothing happens
    AircraftState const forgotten = aircraft.state();
    EXPECT_TRUE(std::isnan(forgotten.value(AircraftValue::ThrustLimitMode)));
    EXPECT_EQ(forgotten.flapAngle, 10);
    EXPECT_EQ(forgotten.value(AircraftValue::OilTemp, 1), 2000);
    EXPECT_TRUE(aircraft.setNamed(AircraftValue::ThrustLimitMode, 0, 4));
    EXPECT_EQ(aircraft.state().value(AircraftValue::ThrustLimitMode), 4);
}

TEST(LiveAircraft, SwitchesTurnOnFromOneHalfAndAnyOpenDoorCounts)
{
    LiveAircraft aircraft;
    aircraft.set({ LiveQuantity::Strobe }, 0.49);
    aircraft.set({ LiveQuantity::LandingLights }, 0.5);
    aircraft.set({ LiveQuantity::Door, 1 }, 0.01);
    aircraft.set({ LiveQuantity::Door, 3 }, 1);
    aircraft.set({ LiveQuantity::FlapHandle }, 1);
    AircraftState const state = aircraft.state();
    EXPECT_EQ(state.strobe, 0);
    EXPECT_EQ(state.landingLights, 1);
    EXPECT_EQ(state.exits, 2 + 8);
    OffsetSpace space;
    encodeAircraft(state, space);
    std::uint32_t lever = 0;
    space.read(0x0BDC, std::as_writable_bytes(std::span(&lever, 1)));
    EXPECT_EQ(lever, 16383u);
}

TEST(FlightGearLine, TheProtocolFileSendsTheColumnsInOrder)
{
    std::ifstream file(sourceDirectory() + "/tools/sim/flightgear/tarnex.xml");
    ASSERT_TRUE(file);
    std::ostringstream text;
    text << file.rdbuf();
    std::string const xml = text.str();
    std::vector<std::string> names;
    std::regex const chunkName("<chunk>[^<]*(<!--[^>]*-->)?\\s*<name>([^<]+)</name>");
    for (auto match = std::sregex_iterator(xml.begin(), xml.end(), chunkName); match != std::sregex_iterator();
         ++match)
        names.push_back((*match)[2]);
    std::vector<std::string> expected;
    for (LiveField const field : flightGearColumns())
        expected.push_back(nameOf(field));
    expected.push_back("fdm_ready"); // last, not an aircraft value
    EXPECT_EQ(names, expected);
    EXPECT_NE(xml.find("<name>fdm_ready</name>\n        <type>bool</type>\n        <format>%d</format>\n"
                       "        <node>/sim/fdm-initialized</node>"),
        std::string::npos);
    EXPECT_NE(xml.find("<var_separator>,</var_separator>"), std::string::npos);
    EXPECT_NE(xml.find("<line_separator>newline</line_separator>"), std::string::npos);
    EXPECT_NE(xml.find("<binary_mode>false</binary_mode>"), std::string::npos);
}

TEST(FlightGearLine, ALineIsFlyingOnlyWhenItsFlightModelIsReady)
{
    struct Case {
        char const* ready;
        bool flying;
    };
    Case const cases[] = { { "1", true }, { "0", false }, { "nan", false } };
    for (Case const& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < flightGearColumns().size(); ++i)
            text += "1,";
        text += std::string(c.ready) + "\n";
        std::vector<double> numbers;
        std::vector<std::optional<double>> properties;
        ASSERT_EQ(parseGenericLine(std::as_bytes(std::span(text)), 0, numbers, properties), GenericLine::Values)
            << text;
        EXPECT_EQ(flightModelReady(numbers), c.flying) << c.ready;
    }
}

// An aircraft file's properties follow the standard columns; a FlightGear
// still on the standard protocol sends the standard columns alone.
TEST(FlightGearLine, TakesTheStandardColumnsAloneOrWithAllTheAircraftsProperties)
{
    std::size_t const standard = flightGearColumns().size() + 1;
    struct Case {
        std::size_t columns;
        GenericLine expected;
    };
    Case const cases[] = {
        { standard - 1, GenericLine::Truncated },
        { standard, GenericLine::Values },
        { standard + 1, GenericLine::Truncated },
        { standard + 2, GenericLine::Truncated },
        { standard + 3, GenericLine::Values },
        { standard + 4, GenericLine::Oversized },
    };
    for (Case const& c : cases) {
        std::string text;
        for (std::size_t i = 0; i < c.columns; ++i)
            text += (i ? "," : "") + std::to_string(i);
        text += "\n";
        std::vector<double> numbers;
        std::vector<std::optional<double>> properties;
        EXPECT_EQ(parseGenericLine(std::as_bytes(std::span(text)), 3, numbers, properties), c.expected) << c.columns;
        if (c.expected == GenericLine::Values) {
            EXPECT_EQ(numbers.size(), standard);
            EXPECT_EQ(numbers.back(), static_cast<double>(standard - 1)); // readiness
            EXPECT_EQ(properties.size(), c.columns - standard);
        }
    }
}

// The written protocol sends each property as its text. A property the
// aircraft lacks comes empty and must stay apart from a true 0; odd text in
// a property costs that value alone, odd text in a standard column the line.
TEST(FlightGearLine, ReadsEachPropertyAsFlightGearWritesItsText)
{
    double const refused = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        char const* text;
        std::optional<double> expected;
    };
    Case const cases[] = {
        { "", std::nullopt },
        { "0", 0.0 },
        { "true", 1.0 },
        { "false", 0.0 },
        { "3", 3.0 },
        { "85.2", 85.2 },
        { "-1.5e-05", -1.5e-05 },
        { "IDLE", refused },
        { "True", refused },
        { " 3", refused },
    };
    std::string standard;
    for (std::size_t i = 0; i < flightGearColumns().size(); ++i)
        standard += "1,";
    standard += "1,";
    for (Case const& c : cases) {
        std::string const text = standard + "7," + c.text + "\n";
        std::vector<double> numbers;
        std::vector<std::optional<double>> properties;
        ASSERT_EQ(parseGenericLine(std::as_bytes(std::span(text)), 2, numbers, properties), GenericLine::Values)
            << c.text;
        ASSERT_EQ(properties.size(), 2u);
        EXPECT_EQ(properties[0], 7.0);
        ASSERT_EQ(properties[1].has_value(), c.expected.has_value()) << c.text;
        if (c.expected && std::isnan(*c.expected)) {
            EXPECT_TRUE(std::isnan(*properties[1])) << c.text;
        } else if (c.expected) {
            EXPECT_EQ(*properties[1], *c.expected) << c.text;
        }
    }
    std::string const emptyStandard = "," + standard.substr(2) + "7,8\n";
    std::vector<double> numbers;
    std::vector<std::optional<double>> properties;
    EXPECT_EQ(parseGenericLine(std::as_bytes(std::span(emptyStandard)), 2, numbers, properties), GenericLine::Garbage);
    EXPECT_TRUE(numbers.empty());
    EXPECT_TRUE(properties.empty());
}

AircraftSources sourcesOf(std::string const& text)
{
    AircraftFileContents contents = parseAircraftFile(text);
    EXPECT_TRUE(contents.problems.empty()) << contents.problems.front().message;
    return contents.sources;
}

TEST(FlightGearProperties, OneColumnPerCarriedInstanceInTheValuesOrderEachInItsUnit)
{
    AircraftSources const sources = sourcesOf("[FlexTemp]\n"
                                              "offset = 0x66C8\n"
                                              "type = f32\n"
                                              "flightgear = /systems/fadec/limit/flex-temp\n"
                                              "flightgear_scale = 0.5\n"
                                              "flightgear_bias = -10\n"
                                              "[ThrottleLever]\n"
                                              "flightgear = /controls/engines/engine[#]/throttle\n"
                                              "flightgear_scale = 100\n"
                                              "[ThrustLimitMode]\n"
                                              "offset = 0x66C0\n"
                                              "type = u8\n"
                                              "map = 0:4 2:1\n"
                                              "flightgear = /systems/fadec/limit/active-mode-int\n");
    std::vector<NamedFeed> const columns = propertyColumns(sources);
    ASSERT_EQ(columns.size(), 4u); // two engines, then the single values
    struct Expected {
        AircraftValue value;
        int instance;
        char const* path;
        int line;
        double sent;
        double unit;
    };
    Expected const expected[] = {
        { AircraftValue::ThrottleLever, 0, "/controls/engines/engine[0]/throttle", 8, 0.25, 25 },
        { AircraftValue::ThrottleLever, 1, "/controls/engines/engine[1]/throttle", 8, 1, 100 },
        { AircraftValue::ThrustLimitMode, 0, "/systems/fadec/limit/active-mode-int", 14, 2, 1 },
        { AircraftValue::FlexTemp, 0, "/systems/fadec/limit/flex-temp", 4, 120, 50 },
    };
    for (std::size_t i = 0; i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].value, expected[i].value) << i;
        EXPECT_EQ(columns[i].instance, expected[i].instance) << i;
        EXPECT_EQ(columns[i].name, expected[i].path) << i;
        EXPECT_EQ(columns[i].line, expected[i].line) << i;
        EXPECT_EQ(columns[i].toUnit(expected[i].sent), expected[i].unit) << i;
    }
    EXPECT_TRUE(std::isnan(columns[2].toUnit(3))) << "a code the map does not list";
}

TEST(FlightGearProperties, TheWrittenProtocolIsTheStandardOneWithAChunkPerColumnAfterItsLast)
{
    AircraftSources const sources = sourcesOf("[AlphaFloor]\n"
                                              "offset = 0x66C1\n"
                                              "type = u8\n"
                                              "flightgear = /systems/a&b<c>\n"
                                              "[Combustion]\n"
                                              "flightgear = /engines/engine[#]/running\n");
    std::string const written = protocolWithProperties(propertyColumns(sources));
    std::string const standard(standardFlightGearProtocol());
    std::size_t const added = standard.rfind("    </output>");
    ASSERT_NE(added, std::string::npos);
    EXPECT_EQ(written.substr(0, added), standard.substr(0, added));
    EXPECT_EQ(written.substr(written.size() - (standard.size() - added)), standard.substr(added));
    EXPECT_EQ(written.substr(added, written.size() - standard.size()),
        "\n      <chunk> <!-- aircraft file, line 6 -->\n"
        "        <name>Combustion.1</name>\n        <type>string</type>\n        <format>%s</format>\n"
        "        <node>/engines/engine[0]/running</node>\n      </chunk>\n"
        "\n      <chunk> <!-- aircraft file, line 6 -->\n"
        "        <name>Combustion.2</name>\n        <type>string</type>\n        <format>%s</format>\n"
        "        <node>/engines/engine[1]/running</node>\n      </chunk>\n"
        "\n      <chunk> <!-- aircraft file, line 4 -->\n"
        "        <name>AlphaFloor</name>\n        <type>string</type>\n        <format>%s</format>\n"
        "        <node>/systems/a&amp;b&lt;c&gt;</node>\n      </chunk>\n");
    EXPECT_EQ(protocolWithProperties({}), standard);

    std::ifstream shipped(sourceDirectory() + "/tools/sim/flightgear/tarnex.xml", std::ios::binary);
    std::ostringstream text;
    text << shipped.rdbuf();
    EXPECT_EQ(text.str(), standard) << "the built-in protocol is the shipped file";
}

TEST(FlightGearProperties, WritesTheProtocolWhereFlightGearsDataOptionFindsIt)
{
    std::string const directory = freshDirectory();
    std::string path;
    std::string error;
    ASSERT_TRUE(writeProtocol(directory + "/fgdata", {}, path, error)) << error;
    EXPECT_EQ(path, directory + "/fgdata/Protocol/tarnex.xml");
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), standardFlightGearProtocol());

    std::ofstream(directory + "/plain") << "a file, not a folder";
    EXPECT_FALSE(writeProtocol(directory + "/plain", {}, path, error));
    EXPECT_EQ(error,
        "Cannot write the protocol file " + directory + "/plain/Protocol/tarnex.xml; give a folder you can write to.");
    std::filesystem::remove_all(directory);
}

// The simulator's clock as the test moves it: no wall time involved.
TEST(ArrivalWatch, NamesEachSourceThatNeverArrivesOnceAfterThePatienceFromTheFirstDatagram)
{
    using namespace std::chrono_literals;
    ArrivalWatch watch("a320.ini", "dataref", "check its name.",
        { { 3, "AirbusFBW/THRRatingType" }, { 9, "AirbusFBW/Misspelt[0]" }, { 9, "AirbusFBW/Misspelt[1]" },
            { 12, "sim/engines[0]" }, { 12, "sim/engines[1]" } },
        10s);
    ArrivalWatch::Clock::time_point const start {};
    EXPECT_TRUE(watch.heard(start + 1h).empty()) << "the patience runs from the first datagram";
    watch.arrived(0);
    EXPECT_TRUE(watch.heard(start + 1h + 9s).empty());
    watch.arrived(4); // one instance of the field arriving is enough
    watch.arrived(7); // no such entry: nothing happens
    EXPECT_EQ(watch.heard(start + 1h + 10s),
        std::vector<std::string> { "a320.ini:9: dataref \"AirbusFBW/Misspelt[0]\" never arrived; check its name." });
    EXPECT_TRUE(watch.heard(start + 2h).empty()) << "once";
    watch.arrived(1);
    EXPECT_TRUE(watch.heard(start + 3h).empty());
}

// Time stands still unless the test moves it; one datagram a step, or none.
TEST(SimulatorPresence, ASlowSimulatorDoesNotFlipWhileSilenceAndALoadingFlightModelStopTheServing)
{
    using namespace std::chrono_literals;
    SharedAircraft aircraft;
    std::string const where = "127.0.0.1:5500";
    SimulatorPresence presence("FlightGear", FlightGearSettings {}.quietAfter, aircraft, where);
    SimulatorPresence::Clock::time_point now {};
    EXPECT_TRUE(presence.waiting(now, where));
    EXPECT_EQ(aircraft.waitingReason(), "Waiting for FlightGear at 127.0.0.1:5500");

    // A simulator drawing a frame a second, some frames 2.4 s apart: steady
    // after its third, and never waiting again for 60 s.
    int changes = 0;
    bool wasWaiting = true;
    auto const look = [&](SimulatorPresence::Clock::time_point at) {
        bool const waiting = presence.waiting(at, where);
        changes += waiting != wasWaiting;
        wasWaiting = waiting;
    };
    for (int frame = 0; frame < 40; ++frame) {
        auto const next = now + (frame % 2 ? 2400ms : 600ms);
        for (; now < next; now += 100ms)
            look(now);
        presence.heard(now, where);
        look(now);
    }
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(wasWaiting);

    // Three seconds of silence: waiting; it takes three datagrams in step to serve again.
    EXPECT_FALSE(presence.waiting(now + 2900ms, where));
    now += 3000ms;
    EXPECT_TRUE(presence.waiting(now, where));
    EXPECT_EQ(aircraft.waitingReason(), "Waiting for FlightGear at 127.0.0.1:5500");
    for (int datagram = 1; datagram <= SimulatorPresence::kSteadyDatagrams; ++datagram) {
        now += 50ms;
        presence.heard(now, where);
        EXPECT_EQ(presence.waiting(now, where), datagram < SimulatorPresence::kSteadyDatagrams) << datagram;
    }

    // A line whose flight model is not ready stops the serving at once.
    now += 50ms;
    presence.heard(now, where, false);
    EXPECT_TRUE(presence.waiting(now, where));
    EXPECT_EQ(aircraft.waitingReason(), "Waiting for FlightGear at 127.0.0.1:5500 to load its flight model");
    for (int datagram = 1; datagram <= SimulatorPresence::kSteadyDatagrams; ++datagram)
        presence.heard(now += 50ms, where);
    EXPECT_EQ(aircraft.waitingReason(), "");
}

TEST(SourceOption, NamesTheSimulatorItsHostAndPort)
{
    struct Case {
        char const* text;
        LiveSourceOptions::Simulator simulator;
        char const* host;
        std::uint16_t port;
    };
    using enum LiveSourceOptions::Simulator;
    Case const cases[] = {
        { "xplane", XPlane, "", 49000 },
        { "xplane:sim-pc", XPlane, "sim-pc", 49000 },
        { "xplane:192.168.1.5:49001", XPlane, "192.168.1.5", 49001 },
        { "flightgear", FlightGear, "", 5500 },
        { "flightgear:5600", FlightGear, "", 5600 },
        { "flightgear:fg-pc", FlightGear, "fg-pc", 5500 },
        { "flightgear:fg-pc:5600", FlightGear, "fg-pc", 5600 },
    };
    for (Case const& good : cases) {
        LiveSourceOptions options;
        std::string error;
        ASSERT_TRUE(parseLiveSource(good.text, options, error)) << good.text << ": " << error;
        EXPECT_EQ(options.simulator, good.simulator) << good.text;
        EXPECT_EQ(options.host, good.host) << good.text;
        EXPECT_EQ(options.port, good.port) << good.text;
    }
    for (char const* wrong : { "msfs", "xplane:", "xplane:pc:", "xplane:pc:0", "xplane:pc:65536", "xplane:pc:49x",
             "flightgear:a:1:2", "flightgear::5500", "XPLANE" }) {
        LiveSourceOptions options;
        std::string error;
        EXPECT_FALSE(parseLiveSource(wrong, options, error)) << wrong;
        EXPECT_FALSE(error.empty());
    }
}

TEST(SourceOption, ReplacesTheScenarioAndTakesDatarefsForXPlaneOnly)
{
    auto const parse = [](std::vector<char const*> arguments, std::string& error) {
        return parseSimOptions(arguments, error);
    };
    std::string error;
    std::optional<SimOptions> const options = parse({ "--datarefs", "a.txt", "--source", "xplane:pc" }, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->source->datarefFile, "a.txt");
    EXPECT_FALSE(parse({ "--source", "xplane", "--scenario", "demo" }, error));
    EXPECT_EQ(error, "Give either --scenario or --source, not both.");
    EXPECT_FALSE(parse({ "--source", "flightgear", "--datarefs", "a.txt" }, error));
    EXPECT_EQ(error, "--datarefs goes with --source xplane.");
    EXPECT_FALSE(parse({ "--datarefs", "a.txt" }, error));
    EXPECT_FALSE(parse({ "--source", "p3d" }, error));
}

} // namespace
