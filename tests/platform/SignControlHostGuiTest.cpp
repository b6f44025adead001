#include "EventPump.h"
#include "NetSignature.h"
#include "ScratchFolder.h"
#include "platform/SignControlHost.h"
#include "platform/WebPage.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <wx/app.h>
#include <wx/ffile.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/log.h>
#include <wx/utils.h>
#include <wx/webview.h>

namespace {

wxString BuiltControl()
{
    const char* build = std::getenv("TESSRIN_BUILD_DIR");
    return wxString::FromUTF8(build ? build : ".") + "/bin/NetSign.js";
}

const char kPage[] = R"(<html><body>
<object id="signer" classid="clsid:{62b938c4-4190-4f37-8cf0-a92b0a91cc77}" width="0" height="0"></object>
<object id="second" classid=" CLSID:62B938C4-4190-4F37-8CF0-A92B0A91CC77 " width="0" height="0"></object>
<object id="stranger" classid="clsid:00000000-0000-0000-0000-000000000000" width="0" height="0"></object>
<div id="loaded"></div>
</body></html>)";

// One web view showing the test page with the controls of a registry folder.
class SignPage
{
public:
    explicit SignPage(const wxString& registryFolder)
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "sign page");
        m_page = WebPage::Create(m_frame);
        m_attached = SignControlHost::Attach(*m_page->GetView(), SignControlRegistry(registryFolder));
        m_frame->Show();
        m_page->SetPage(kPage);
        m_ready = PumpUntil([this] { return m_page->IsLoaded(); }, std::chrono::milliseconds(10000));
    }
    ~SignPage() { m_frame->Destroy(); }

    wxString Run(const wxString& script)
    {
        wxString result;
        if(!m_page->Evaluate(script, &result)) {
            return "<error>";
        }
        return result;
    }

    bool IsReady() const { return m_ready; }
    size_t Attached() const { return m_attached; }

private:
    wxFrame* m_frame;
    WebPage* m_page;
    size_t m_attached = 0;
    bool m_ready = false;
};

TEST(SignControlHost, RegisteredControlSignsLikeTheFormatAndOthersStayInert)
{
    ScratchFolder scratch;
    ASSERT_TRUE(
        SignControlRegistry(scratch.Path())
            .Register("NetSign.InfoSecNetSign", "62B938C4-4190-4F37-8CF0-A92B0A91CC77", BuiltControl()))
        << "the build copies NetSign.js into bin/";
    SignPage page(scratch.Path());
    ASSERT_TRUE(page.IsReady());
    EXPECT_EQ(1u, page.Attached());

    EXPECT_EQ("function", page.Run("typeof signer.addFormItem"));
    EXPECT_EQ("function", page.Run("typeof second.makeAttachedSign")) << "class id in other case and spacing";
    EXPECT_EQ("undefined", page.Run("typeof stranger.addFormItem"));
    EXPECT_EQ("", page.Run("signer.attachedSign"));

    // Two items with Chinese text and a line end inside the second.
    const std::string first = "[[MerchantID]]M1[[CustName]]\xe5\xbc\xa0\xe4\xb8\x89";
    const std::string second =
        "<\xe5\xae\xa2\xe6\x88\xb7\xe7\xad\xbe\xe7\xba\xa6>\n\n\xe9\x87\x91\xe9\xa2\x9d";
    EXPECT_EQ("true", page.Run(wxString::FromUTF8("signer.addFormItem('[[MerchantID]]M1[[CustName]]张三');"
                                                  "signer.addFormItem('<客户签约>\\n\\n金额');"
                                                  "signer.makeAttachedSign()")));
    const std::string signature = page.Run("signer.attachedSign").utf8_string();
    EXPECT_EQ(MakeNetSignature({first, second}), signature);
    std::string joined;
    ASSERT_TRUE(DecodeNetSignature(signature, joined));
    EXPECT_EQ(first + "\n" + second, joined);

    EXPECT_EQ("false", page.Run("second.makeAttachedSign()")) << "each element keeps its own items";
    EXPECT_EQ("", page.Run("second.attachedSign"));
}

TEST(SignControlHost, EmptyOrBrokenRegistryLeavesTheElementsInert)
{
    ScratchFolder scratch;
    {
        SignPage page(scratch.Path());
        ASSERT_TRUE(page.IsReady());
        EXPECT_EQ(0u, page.Attached());
        EXPECT_EQ("undefined", page.Run("typeof signer.addFormItem"));
    }
    // A control whose script does not parse breaks only itself: the page runs on.
    wxFFile broken(scratch.Path() + "/broken.js", "w");
    broken.Write(wxString("return function (c) { c.addFormItem = ; };"));
    broken.Close();
    ASSERT_TRUE(SignControlRegistry(scratch.Path())
                    .Register("Broken.Control", "62B938C4-4190-4F37-8CF0-A92B0A91CC77",
                              scratch.Path() + "/broken.js"));
    SignPage page(scratch.Path());
    ASSERT_TRUE(page.IsReady());
    EXPECT_EQ("undefined", page.Run("typeof signer.addFormItem"));
    EXPECT_EQ("2", page.Run("String(1 + 1)"));
}

} // namespace
