// Host procedures handed to a plug-in answer their failure value when their body throws, instead of unwinding
// through the plug-in's frames.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "../../host/src/base/NoThrow.h"
#include "adm_suites_fixture.h"

namespace vendrel::test {
namespace {

// A front end that fails at everything, as one whose terminal or window has gone away.
class FailingFrontEnd : public FrontEnd {
public:
    void alert(const std::string&) override { throw std::runtime_error("the terminal is gone"); }
    int32_t runModal(AdmDialog&) override { throw std::bad_alloc(); }
};

ASErr initNothing(ADMDialogRef)
{
    return kSPNoError;
}

class NoThrowSuitesTest : public AdmSuitesTest {
public:
    void SetUp() override
    {
        AdmSuitesTest::SetUp();
        context.frontEnd = &failing;
    }
    FailingFrontEnd failing;
};

// The dialog-manager procedures that reach the front end, whose failures must stay in the host.
TEST_F(NoThrowSuitesTest, SuiteProceduresAnswerTheirFailureValueWhenTheFrontEndThrows)
{
    struct Case {
        const char* procedure;
        std::function<int64_t()> call;
        int64_t failure;
    };
    const Case cases[] = {
        {"MessageAlert (void)", [&] { return (basic->MessageAlert("gone"), int64_t(-1)); }, -1},
        {"QuestionAlert (boolean)", [&] { return int64_t(basic->QuestionAlert("gone?")); }, 0},
        {"Modal (item id)", [&] { return int64_t(dialogs->Modal(nullptr, "D", 16001, 0, initNothing, nullptr, 0)); },
         0},
    };
    for (const Case& c : cases) {
        int64_t answer = 12345;
        EXPECT_NO_THROW(answer = c.call()) << c.procedure;
        EXPECT_EQ(answer, c.failure) << c.procedure;
    }
}

ASErr throwsRuntime(int32)
{
    throw std::runtime_error("bad");
}
ASErr throwsOutOfMemory(int32)
{
    throw std::bad_alloc();
}
ASErr succeeds(int32 value)
{
    return value;
}
OSErr oserrThrows()
{
    throw 7;
}
void* pointerThrows()
{
    throw std::runtime_error("bad");
}

// By result type: suite error codes, the parameter block's 16-bit codes and pointers each get their own failure.
TEST(NoThrowTest, EachResultTypeGetsItsFailureValue)
{
    EXPECT_EQ(noThrowError<throwsRuntime>(3), ASErr(paramErr));
    EXPECT_EQ(noThrowError<throwsOutOfMemory>(3), ASErr(memFullErr));
    EXPECT_EQ(noThrowError<succeeds>(42), 42);
    EXPECT_EQ(noThrow<oserrThrows>(), OSErr(paramErr));
    EXPECT_EQ(noThrow<pointerThrows>(), nullptr);
}

} // namespace
} // namespace vendrel::test
