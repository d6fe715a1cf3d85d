// The editor: which reactors hear which event, and reactors that change the list meanwhile.
#include "host/sdk/OdEditorImpl.h"

#include <gtest/gtest.h>

#include <functional>

#include <string>
#include <vector>

namespace {

using EventLog = std::vector<std::string>;

class DocumentReactor : public OdEditorReactor {
public:
    DocumentReactor(std::string name, EventLog& log) : m_name(std::move(name)), m_log(log) {}
    void documentCreated(CTqDocument*) override { m_log.push_back(m_name + " documentCreated"); }

protected:
    std::string m_name;
    EventLog& m_log;
};

class FrameReactor : public CTqEditorReactor {
public:
    FrameReactor(std::string name, EventLog& log) : m_name(std::move(name)), m_log(log) {}
    void mainFrameReady() override
    {
        m_log.push_back(m_name + " mainFrameReady");
        if (onReady)
            onReady();
    }
    void mainFrameClosing() override { m_log.push_back(m_name + " mainFrameClosing"); }
    void documentCreated(CTqDocument*) override { m_log.push_back(m_name + " documentCreated"); }
    void commandWillStart(CTqCommand*) override { m_log.push_back(m_name + " commandWillStart"); }
    void lispWillStart(const CTqString& expression) override
    {
        m_log.push_back(m_name + " lispWillStart " + expression.toUtf8());
    }

    std::function<void()> onReady;

private:
    std::string m_name;
    EventLog& m_log;
};

}  // namespace

TEST(OdEditorImpl, MainFrameEventsReachOnlyHostEditorReactors)
{
    EventLog log;
    OdEditorImpl editor;
    DocumentReactor plain("plain", log);
    FrameReactor frame("frame", log);
    editor.addReactor(&plain);
    editor.addReactor(&frame);

    editor.fireMainFrameReady();
    editor.fireDocumentCreated(nullptr);
    editor.fireLispWillStart(CTqString("(+ 1 2)"));
    editor.fireCommandWillStart(nullptr);
    editor.fireMainFrameClosing();

    EXPECT_EQ(log, (EventLog{"frame mainFrameReady", "plain documentCreated", "frame documentCreated",
                             "frame lispWillStart (+ 1 2)", "frame commandWillStart", "frame mainFrameClosing"}));
}

TEST(OdEditorImpl, ReactorAddedTwiceIsToldOnce)
{
    EventLog log;
    OdEditorImpl editor;
    FrameReactor frame("frame", log);
    editor.addReactor(&frame);
    editor.addReactor(&frame);
    EXPECT_TRUE(editor.hasReactor(&frame));

    editor.fireMainFrameReady();
    EXPECT_EQ(log, EventLog{"frame mainFrameReady"});

    editor.removeReactor(&frame);
    EXPECT_FALSE(editor.hasReactor(&frame));
    editor.fireMainFrameReady();
    EXPECT_EQ(log.size(), 1u);
}

TEST(OdEditorImpl, ReactorRemovedDuringAnEventIsNotToldAnyMore)
{
    EventLog log;
    OdEditorImpl editor;
    FrameReactor first("first", log);
    FrameReactor second("second", log);
    FrameReactor third("third", log);
    editor.addReactor(&first);
    editor.addReactor(&second);
    editor.addReactor(&third);
    // The first removes itself and the second, as a module does when it is told to go.
    first.onReady = [&] {
        editor.removeReactor(&first);
        editor.removeReactor(&second);
    };

    editor.fireMainFrameReady();
    EXPECT_EQ(log, (EventLog{"first mainFrameReady", "third mainFrameReady"}));
}
