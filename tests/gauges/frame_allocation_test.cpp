#include "gauges/gauge_test_fixture.h"
#include "support/allocation_counter.h"

namespace {

// Every drawing form, every text kind and a message in the alert list, on
// four engines, one of them stopped.
constexpr std::string_view kBusyLayout = "EngineOffManaged=YES\nEngineOffChar=X\nPieNormalColor=GREEN\nPieDangerColor=RED\n"
                                         "N1DisplayType=QUADRANT\nN1Box=0,0,800,200\nN1StartAngle=180\nN1EndAngle=360\n"
                                         "N1DangerZone=YES\nN1DangerThreshold=90\nN1ExtremumTick=YES\nN1TickInterval=5\nN1TickSize=10\n"
                                         "N1TickLabelInterval=20\nN1TickLabelDecimals=1\nN1ValueDisplayed=YES\nN1Decimals=1\nN1Frame=YES\n"
                                         "N1Label=N1\nN1Legend=%\n"
                                         "N2DisplayType=RING\nN2Box=0,200,800,400\nN2NeedleStartRadiusRatio=0.5\nN2TickInterval=10\n"
                                         "N2TickSize=5\nN2TickLabelInterval=50\nN2ValueDisplayed=YES\n"
                                         "EGTDisplayType=BAR\nEGTBox=0,400,800,500\nEGTMax=1000\nEGTDangerThreshold=900\nEGTValueDisplayed=YES\n"
                                         "FFDisplayType=STACK\nFFBox=0,500,800,600\nFFMax=5000\nFFValueDisplayed=YES\nFFPrecision=20\n"
                                         "EPRDisplayType=TEXT\nEPRBox=0,600,800,650\nEPRMax=2\nEPRDecimals=3\n"
                                         "ApuRPMDisplayType=QUADRANT\nApuRPMBox=800,0,1000,200\nApuRPMMax=100000\nApuRPMTickInterval=10000\n"
                                         "ApuRPMTickSize=5\nApuRPMTickLabelInterval=20000\nApuRPMTickValueDivider=1000\nApuRPMValueDisplayed=YES\n"
                                         "LeftFuelDisplayType=BAR\nLeftFuelBox=800,200,1000,400\nLeftFuelMax=20000\n"
                                         "RightFuelDisplayType=STACK\nRightFuelBox=800,400,1000,600\nRightFuelMax=20000\n"
                                         "TotalFuelDisplayType=TEXT\nTotalFuelBox=800,600,1000,650\nTotalFuelMax=40000\n"
                                         "InfoTotalFuelPosition=500,700\nInfoTotalFuelSuffix=_KG\nInfoSATPosition=100,700\n"
                                         "InfoSATAlignment=BASE_LEFT\nInfoTATPosition=100,750\nInfoGearPosition=300,700\n"
                                         "InfoSpoilerPosition=300,750\nUserMessage3Label=CHECK_FLAPS\nUserMessage3Position=100,900\n"
                                         "AlertBox=0,800,500,1000\nStatusBox=500,800,1000,1000\nUnits=METRIC\n";

class FrameAllocationTest : public GaugeTest {
protected:
    FrameAllocationTest()
    {
        loadLayout(kBusyLayout);
        setEngines(4, 85);
        sim().n1Percent[2] = 0; // stopped
        for (int k = 0; k < 4; ++k) {
            sim().n2Percent[k] = 70 + k;
            sim().egtC[k] = 600 + 150 * k;
            sim().fuelFlowPph[k] = 1234 + k;
            sim().epr[k] = 1.234;
        }
        sim().totalFuelKg = 1500; // low: the base list shows FUEL QTY
        sim().totalFuelLbs = 3307;
        // Recording keeps every call; the frames here must only be drawn.
        platform.render.recording().recording().setRecording(false);
    }

    int measurements() const { return platform.render.measurements(); }
};

TEST_F(FrameAllocationTest, FramesAfterTheLayoutAllocateNothingAndMeasureNoText)
{
    display.paint(); // lays out: measures and makes fonts
    EXPECT_GT(measurements(), 0);

    int const measuredBefore = measurements();
    AllocationCounter allocations;
    for (int i = 0; i < 3; ++i) {
        sim().egtC[0] += 10;
        display.paint();
    }
    EXPECT_EQ(allocations.count(), 0u);
    EXPECT_EQ(measurements(), measuredBefore);
}

TEST_F(FrameAllocationTest, ResizesAndEngineCountChangesLayTheGaugesOutAgain)
{
    display.paint();
    display.paint();
    int measured = measurements();

    platform.window.client = { 800, 600 };
    display.paint();
    EXPECT_GT(measurements(), measured);

    measured = measurements();
    sim().engineCount = 2;
    display.paint();
    EXPECT_GT(measurements(), measured);

    measured = measurements();
    display.paint();
    EXPECT_EQ(measurements(), measured);
}

} // namespace
