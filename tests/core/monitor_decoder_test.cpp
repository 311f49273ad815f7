#include "core/monitor_decoder.h"

#include "monitor_frame_builder.h"
#include "texts/language_table.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class MonitorFrame : public test::MonitorFrameBuilder<MonitorFrame> {
public:
    MonitorFrame()
    {
        // Inputs idle (active low), both servos working.
        byte(1, 0b0101'0101);
        byte(2, 0b1100'0001);
        word(64, 12500);
    }
};

class MonitorDecoderTest : public ::testing::Test {
protected:
    const MonitorDisplay& decode(const MonitorFrame& frame)
    {
        auto display = m_decoder.decode(frame.sealed(), m_context, m_texts);
        EXPECT_TRUE(display.has_value());
        m_display = display.value_or(MonitorDisplay{});
        return m_display;
    }
    [[nodiscard]] const LabelState& label(std::string_view name) const
    {
        for (const LabelState& state : m_display.labels) {
            if (state.key.name == name)
                return state;
        }
        ADD_FAILURE() << "no label " << name;
        static const LabelState kNone;
        return kNone;
    }
    [[nodiscard]] std::string text(std::string_view name) const { return label(name).text.value_or("<unchanged>"); }
    [[nodiscard]] GaugeState gauge(std::string_view name) const
    {
        for (const GaugeState& state : m_display.gauges) {
            if (state.name == name)
                return state;
        }
        ADD_FAILURE() << "no gauge " << name;
        return {};
    }

    MonitorDecoder m_decoder;
    MonitorContext m_context{2, 120, false, false, false};
    LanguageTable m_texts;
    MonitorDisplay m_display;
};

TEST_F(MonitorDecoderTest, CorruptFrameIsDroppedAndKeepsTheSnapshot)
{
    decode(MonitorFrame().word(48, 4000));
    LinkFrame corrupt = MonitorFrame().word(48, 9000).sealed();
    corrupt[151] ^= 1;
    EXPECT_FALSE(m_decoder.decode(corrupt, m_context, m_texts).has_value());
    EXPECT_EQ(m_decoder.snapshot().Rpm, 4000);
}

TEST_F(MonitorDecoderTest, CoolantSensorErrorShowsErrorAndKeeps180)
{
    decode(MonitorFrame().byte(23, 0).word(60, 4900));
    EXPECT_EQ(text("LabelVoda"), "Coolant = error");
    EXPECT_EQ(label("LabelVoda").colour, ColourRole::Red);
    EXPECT_EQ(gauge("CGaugeVoda").value, 80);
    EXPECT_EQ(gauge("CGaugeVoda").colour, ColourRole::Red);
    EXPECT_EQ(m_decoder.snapshot().CoolantRaw, 180);

    m_context.extendedMonitor = true;
    decode(MonitorFrame().byte(23, 0).word(60, 4900));
    EXPECT_EQ(text("LabelVoda"), "Coolant = error = 4900 mV");
}

TEST_F(MonitorDecoderTest, CoolantTextsAndColoursByTemperature)
{
    decode(MonitorFrame().byte(23, 185));
    EXPECT_EQ(text("LabelVoda"), "Coolant= 85 °C");
    EXPECT_EQ(label("LabelVoda").colour, ColourRole::NormalFace);
    EXPECT_EQ(gauge("CGaugeVoda").colour, ColourRole::Aqua);
    decode(MonitorFrame().byte(23, 200));
    EXPECT_EQ(label("LabelVoda").colour, ColourRole::Yellow);
    EXPECT_EQ(gauge("CGaugeVoda").colour, ColourRole::Yellow);
    EXPECT_EQ(gauge("CGaugeVoda").value, 100);
    decode(MonitorFrame().byte(23, 90)); // -10 degrees clamps the gauge at 0
    EXPECT_EQ(gauge("CGaugeVoda").value, 0);
}

TEST_F(MonitorDecoderTest, AirSensorErrorShowsFiftyDegreesInRed)
{
    decode(MonitorFrame().byte(24, 0));
    EXPECT_EQ(text("LabelVzduch"), "AT = 50 °C");
    EXPECT_EQ(label("LabelVzduch").colour, ColourRole::Red);
    EXPECT_EQ(m_decoder.snapshot().AirRaw, 0);
    decode(MonitorFrame().byte(24, 120));
    EXPECT_EQ(text("LabelVzduch"), "AT = 20 °C");
    EXPECT_EQ(label("LabelVzduch").colour, ColourRole::NormalFace);
}

TEST_F(MonitorDecoderTest, TwoCylindersShowTwoAdvancesAndTheirMean)
{
    decode(MonitorFrame().byte(10, 20).byte(11, 25).byte(12, 99).byte(13, 99));
    EXPECT_EQ(text("LabelMon_Ign1"), "Advance 1= 20 °");
    EXPECT_EQ(text("LabelMon_Ign2"), "Advance 2= 25 °");
    EXPECT_EQ(label("LabelMon_Ign2").visible, true);
    EXPECT_EQ(label("LabelMon_Ign3").visible, false);
    EXPECT_FALSE(label("LabelMon_Ign3").text.has_value());
    EXPECT_EQ(label("LabelMon_Ign4").visible, false);
    EXPECT_EQ(text("LabelMon_Ign"), "Advance = 22 °");
}

TEST_F(MonitorDecoderTest, BaseAdvanceModeShowsBase)
{
    decode(MonitorFrame().bit(3, 3, true).byte(10, 20));
    EXPECT_EQ(text("LabelMon_Ign1"), "Advance 1= BASE");
    EXPECT_EQ(text("LabelMon_Ign"), "Advance = BASE");
}

TEST_F(MonitorDecoderTest, CylinderCountOutsideOneToFourNeverReadsOtherBytes)
{
    m_context.cylinderCount = 0;
    decode(MonitorFrame().byte(10, 17).byte(14, 90));
    EXPECT_EQ(text("LabelMon_Ign"), "Advance = 17 °");
    m_context.cylinderCount = 9;
    decode(MonitorFrame().byte(10, 8).byte(11, 8).byte(12, 8).byte(13, 8).byte(14, 200));
    EXPECT_EQ(text("LabelMon_Ign"), "Advance =  8 °");
}

TEST_F(MonitorDecoderTest, BankMeansDivideByFourWhateverTheCylinders)
{
    decode(MonitorFrame().byte(14, 30).byte(15, 31).byte(18, 10).byte(19, 10));
    EXPECT_EQ(text("LabelMon_Jet_A"), "Injection time A = 1525 us");
    EXPECT_EQ(text("LabelMon_Jet_B"), "Injection time B = 500 us");
    EXPECT_EQ(text("LabelMon_Jet_1A"), "Injection time 1A = 3000 us");
    EXPECT_EQ(text("LabelMon_Jet_3A"), "Injection time 3A = 0 us");
    EXPECT_EQ(label("LabelMon_Jet_3A").visible, false);
    EXPECT_EQ(label("LabelMon_Jet_2B").visible, true);
}

// The duty uses the engine speed of the same frame as the injection times.
TEST_F(MonitorDecoderTest, DutyAndItsGaugeColour)
{
    decode(MonitorFrame().byte(14, 50).word(48, 3000));
    EXPECT_EQ(text("LabelMaxInjProcent"), "Max injection = 12 [%]");
    EXPECT_EQ(gauge("CGaugeDuty").value, 12);
    EXPECT_EQ(gauge("CGaugeDuty").colour, ColourRole::Blue);

    decode(MonitorFrame().byte(21, 50).word(48, 30000));
    EXPECT_EQ(text("LabelMaxInjProcent"), "Max injection = 125 [%]");
    EXPECT_EQ(gauge("CGaugeDuty").value, 100);
    EXPECT_EQ(gauge("CGaugeDuty").colour, ColourRole::Yellow);
}

TEST_F(MonitorDecoderTest, SupplyVoltageColourBands)
{
    const std::vector<std::pair<int, ColourRole>> bands = {
        {7000, ColourRole::Red},         {7001, ColourRole::Yellow},      {11000, ColourRole::Yellow},
        {11001, ColourRole::NormalFace}, {12500, ColourRole::NormalFace}, {14998, ColourRole::NormalFace},
        {14999, ColourRole::Yellow},     {15000, ColourRole::Yellow},     {17998, ColourRole::Yellow},
        {17999, ColourRole::Red},        {18000, ColourRole::Red}};
    for (auto [millivolts, colour] : bands) {
        decode(MonitorFrame().word(64, millivolts));
        EXPECT_EQ(label("LabelNapeti").colour, colour) << millivolts;
    }
    decode(MonitorFrame().word(64, 12500));
    EXPECT_EQ(text("LabelNapeti"), "U = 12.5 V");
}

TEST_F(MonitorDecoderTest, LambdaGaugeEnds)
{
    for (auto [millivolts, value] : {std::pair{399, 0}, {400, 0}, {700, 50}, {1000, 100}, {1001, 100}}) {
        decode(MonitorFrame().word(58, millivolts));
        EXPECT_EQ(gauge("CGaugeLambda").value, value) << millivolts;
    }
    EXPECT_EQ(text("LabelLambda"), "LAMBDA = 1001 mV");
}

TEST_F(MonitorDecoderTest, VersionMismatchTextOnRed)
{
    decode(MonitorFrame().byte(150, 70));
    EXPECT_EQ(text("LabelVersion"), "Unmatched version of PC and Ignition programs!  PC-71, IGN-70");
    EXPECT_EQ(label("LabelVersion").colour, ColourRole::Red);
    decode(MonitorFrame());
    EXPECT_EQ(text("LabelVersion"), "");
    EXPECT_EQ(label("LabelVersion").colour, ColourRole::White);
}

TEST_F(MonitorDecoderTest, LimiterFlagsColourTheEngineSpeed)
{
    decode(MonitorFrame().word(48, 6000));
    EXPECT_EQ(text("LabelRpm"), "RPM = 6000 ");
    EXPECT_EQ(label("LabelRpm").colour, ColourRole::NormalFace);
    EXPECT_EQ(gauge("CGaugeRpm").value, 50);
    decode(MonitorFrame().bit(2, 3, true));
    EXPECT_EQ(label("LabelRpm").colour, ColourRole::Fuchsia);
    EXPECT_EQ(text("LabelMonJetLimiter"), "Limiter by injection - YES");
    decode(MonitorFrame().bit(2, 2, true).bit(2, 4, true));
    EXPECT_EQ(label("LabelRpm").colour, ColourRole::Fuchsia);
    decode(MonitorFrame().bit(2, 2, true).bit(2, 3, true).bit(2, 4, true));
    EXPECT_EQ(label("LabelRpm").colour, ColourRole::Red);
}

TEST_F(MonitorDecoderTest, NoIgnitionLimiterLeavesTheRpmGaugeAlone)
{
    m_context.ignLimiter = 0;
    decode(MonitorFrame().word(48, 6000));
    for (const GaugeState& state : m_display.gauges)
        EXPECT_NE(state.name, "CGaugeRpm");
}

TEST_F(MonitorDecoderTest, N2oLabelIsUpdatedButHiddenWithoutN2o)
{
    decode(MonitorFrame().bit(3, 1, true));
    EXPECT_EQ(text("LabelN2oEnable"), "N2O  - YES");
    EXPECT_EQ(label("LabelN2oEnable").visible, false);
    m_context.n2oEnabled = true;
    decode(MonitorFrame().bit(3, 1, true));
    EXPECT_EQ(label("LabelN2oEnable").visible, true);
    EXPECT_EQ(label("LabelN2oEnable").colour, ColourRole::Lime);
}

TEST_F(MonitorDecoderTest, IndicatorsReadActiveLowInputsAndActiveHighOutputs)
{
    decode(MonitorFrame().bit(1, 0, false).bit(1, 7, true));
    EXPECT_EQ(text("LabelMonFallIn"), "Fall sensor - YES");
    EXPECT_EQ(label("LabelMonFallIn").colour, ColourRole::Fuchsia);
    EXPECT_EQ(text("LabelMonClutchOut"), "Clutch master - YES");
    EXPECT_EQ(label("LabelMonClutchOut").colour, ColourRole::Red);
    EXPECT_EQ(text("LabelMonClutchIn"), "Clutch master - NO");
    EXPECT_EQ(text("LabelMonBlock2In"), "Blocking  - NO");
    EXPECT_EQ(text("LabelMonRpmLambdaOut"), "Tacho/Lambda - Lambda");
    EXPECT_EQ(label("LabelMonRpmLambdaOut").colour, ColourRole::Aqua);
    EXPECT_EQ(text("LabelSnimacCkps"), "Pick-up (CKPS) -  no signal");
}

TEST_F(MonitorDecoderTest, TextsFollowTheLanguage)
{
    m_texts.setLanguage(Language::German);
    decode(MonitorFrame().byte(23, 185).byte(150, 70));
    EXPECT_EQ(text("LabelMonClutchIn"), "Schaltautomat - NEIN");
    EXPECT_EQ(text("LabelVersion").find("  PC-71, IGN-70"), text("LabelVersion").size() - 15);
}

TEST_F(MonitorDecoderTest, PilotLightCaptionFollowsTheChokeBike)
{
    decode(MonitorFrame().byte(27, 2));
    EXPECT_EQ(text("LabelMonPilotLight"), "Gear Shift Light - YES");
    m_context.chokeBike = true;
    decode(MonitorFrame().byte(27, 1));
    EXPECT_EQ(text("LabelMonPilotLight"), "Choke - Twinkle");
    EXPECT_EQ(label("LabelMonPilotLight").colour, ColourRole::Fuchsia);
}

TEST_F(MonitorDecoderTest, SensorTextsPlainAndExtended)
{
    const MonitorFrame frame =
        MonitorFrame().word(52, 1013).word(50, 4050).word(136, 45).word(54, 2025).word(138, 305).word(56, 1720);
    decode(frame);
    EXPECT_EQ(text("LabelTlak"), "AP = 101.3 kPa");
    EXPECT_EQ(text("LabelPodtlak"), "IAP = 45 [kPa]");
    EXPECT_EQ(text("LabelTpsMon"), "TP = 30.5 %");
    EXPECT_EQ(gauge("CGaugeTps").value, 30);
    m_context.extendedMonitor = true;
    decode(frame);
    EXPECT_EQ(text("LabelTlak"), "AP = 101.3 kPa= 4050 mV");
    EXPECT_EQ(text("LabelPodtlak"), "IA P= 45 [kPa] = 2025 [mV]");
    EXPECT_EQ(text("LabelTpsMon"), "TP = 30.5 %=1720 mV");
}

TEST_F(MonitorDecoderTest, SensorErrorsShowTheirErrorForms)
{
    decode(MonitorFrame().bit(4, 0, true).bit(4, 1, true).bit(4, 2, true).word(56, 4990).word(138, 500));
    EXPECT_EQ(text("LabelTpsMon"), "TP = error = 4990 mV");
    EXPECT_EQ(gauge("CGaugeTps").value, 0);
    EXPECT_EQ(text("LabelPodtlak"), "IAP = error");
    EXPECT_EQ(label("LabelPodtlak").colour, ColourRole::Red);
    EXPECT_EQ(label("LabelTlak").colour, ColourRole::Red);
    EXPECT_TRUE(m_decoder.snapshot().TpsError);
}

TEST_F(MonitorDecoderTest, CorrectionsAndCountersWithTheirOffsets)
{
    decode(MonitorFrame()
               .word(100, 125)
               .word(108, 940)
               .word(110, 1025)
               .word(134, 985)
               .word(76, 42)
               .word(120, 457)
               .word(118, 1800)
               .word(116, 88)
               .bit(4, 4, true)
               .word(70, 1500));
    EXPECT_EQ(text("LabelKorVodaJet"), "TW correction = 12.5 %");
    EXPECT_EQ(text("LabelKorNapeti"), "U correction = -60 us");
    EXPECT_EQ(text("LabelKorVodaIgn"), "TW correction =  2.5 °");
    EXPECT_EQ(text("LabelIdleKorAdv"), "Idle correction = -1.5 °");
    EXPECT_EQ(text("LabelPocetProgramovani"), "Number of Programing = 42");
    EXPECT_EQ(text("LabelMonPomerRpmSpeed"), "Rpm/Speed = 45.7 ");
    EXPECT_EQ(text("LabelMonGearNapeti"), "Gear voltage = 1800 mV");
    EXPECT_EQ(text("LabelMonSpeed"), "Speed = 88 [km/h]");
    EXPECT_EQ(text("LabelMonServoIntake"), "Intake servo = 1500 mV/ Idle ");
    EXPECT_EQ(text("LabelTest3"), "Test3= 0 ");
    EXPECT_EQ(text("LabelDleTpsProcent"), "Jet according TPS =  0 %");
}

TEST_F(MonitorDecoderTest, SnapshotKeepsEveryFieldOfTheFrame)
{
    decode(MonitorFrame()
               .word(48, 7345)
               .word(52, 998)
               .word(56, 2222)
               .word(58, 640)
               .word(138, 812)
               .word(136, 77)
               .byte(25, 4)
               .byte(26, 60)
               .word(118, 3100)
               .word(120, 333)
               .word(94, 12)
               .word(148, 5000));
    const MonitorSnapshot& s = m_decoder.snapshot();
    EXPECT_EQ(s.Rpm, 7345);
    EXPECT_EQ(s.ApTenths, 998);
    EXPECT_EQ(s.TpsMillivolts, 2222);
    EXPECT_EQ(s.LambdaMillivolts, 640);
    EXPECT_EQ(s.TpsTenths, 812);
    EXPECT_EQ(s.IapKpa, 77);
    EXPECT_EQ(s.Gear, 4);
    EXPECT_EQ(s.JetTpsPercent, 60);
    EXPECT_TRUE(s.UsesTpsMaps);
    EXPECT_TRUE(s.UsesIapMap);
    EXPECT_EQ(s.GearMillivolts, 3100);
    EXPECT_EQ(s.RpmSpeedRatio, 333);
    EXPECT_EQ(s.StartTime, 12);
    EXPECT_EQ(s.SavingCountdown, 5000);
}

TEST_F(MonitorDecoderTest, MapUseFlagsFollowTheJetShare)
{
    struct Case {
        int share;
        bool unknown;
        bool tps;
        bool iap;
    };
    for (const Case& c : {Case{0, false, false, true}, Case{50, false, true, true}, Case{100, false, true, false},
                          Case{50, true, false, false}}) {
        decode(MonitorFrame().byte(26, c.share).bit(3, 0, c.unknown));
        EXPECT_EQ(m_decoder.snapshot().UsesTpsMaps, c.tps) << c.share << c.unknown;
        EXPECT_EQ(m_decoder.snapshot().UsesIapMap, c.iap) << c.share << c.unknown;
    }
}

} // namespace
} // namespace quorvel
