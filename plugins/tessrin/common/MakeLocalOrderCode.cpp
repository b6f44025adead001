#include "common/MakeLocalOrderCode.h"

#include <cstdlib>

namespace {

struct CodeSource
{
    LocalOrderCodeSource::Clock clock;
    LocalOrderCodeSource::Random random;
};

CodeSource& Source()
{
    static CodeSource source;
    return source;
}

} // namespace

wxString MakeLocalOrderCode()
{
    const CodeSource& source = Source();
    const wxDateTime now = source.clock ? source.clock() : wxDateTime::Now();
    const int random = source.random ? source.random() : std::rand();
    return FormatLocalOrderCode(now, random);
}

wxString FormatLocalOrderCode(const wxDateTime& when, int random)
{
    const wxDateTime::Tm tm = when.GetTm(wxDateTime::Local);
    return wxString::Format("%02d%02d%02d%02d%02d%02d%04d", tm.year % 100, static_cast<int>(tm.mon) % 100,
                            tm.mday % 100, tm.hour % 100, tm.min % 100, tm.sec % 100, random % 10000);
}

LocalOrderCodeSource::LocalOrderCodeSource(Clock clock, Random random)
{
    Source() = CodeSource{std::move(clock), std::move(random)};
}

LocalOrderCodeSource::~LocalOrderCodeSource()
{
    Source() = CodeSource{};
}
