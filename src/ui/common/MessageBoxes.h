#pragma once

#include <QList>
#include <QString>
#include <QVector>

class QWidget;

// Every message box of the program goes through here. While a Recorder lives, boxes are
// recorded instead of shown and questions take the Recorder's scripted answers, so tests
// never block on a modal box.
class MessageBoxes
{
public:
    enum class Icon
    {
        Information,
        Warning,
        Error,
        Question
    };
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    struct Box
    {
        Icon icon;
        QString caption;
        QString text;
        Buttons buttons;
    };

    // The captions the program uses.
    static QString captionPromptInfo(); // "提示信息"
    static QString captionPrompt();     // "提示"
    static QString captionInfo();       // "信息"
    static QString captionConfirm();    // "确认信息"

    static void information(QWidget* parent, const QString& caption, const QString& text);
    static void warning(QWidget* parent, const QString& caption, const QString& text);
    static void error(QWidget* parent, const QString& caption, const QString& text);
    // Yes/No question; true when the user answered Yes.
    static bool question(QWidget* parent, const QString& caption, const QString& text);
    // An error that reached the application: error icon, the application title as caption.
    static void applicationError(QWidget* parent, const QString& text);

    // Records every box shown while it lives (innermost recorder wins when nested).
    class Recorder
    {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        const QVector<Box>& boxes() const { return m_boxes; }
        int count() const { return m_boxes.size(); }
        Box last() const;
        void clear() { m_boxes.clear(); }

        // Answers for the next questions, in order; when they run out the default answer
        // is used (No unless changed).
        void queueAnswer(Answer answer) { m_answers.append(answer); }
        void setDefaultAnswer(Answer answer) { m_defaultAnswer = answer; }

    private:
        friend class MessageBoxes;
        Answer take(const Box& box);

        QVector<Box> m_boxes;
        QList<Answer> m_answers;
        Answer m_defaultAnswer = Answer::No;
        Recorder* m_previous = nullptr;
    };

private:
    static Answer show(QWidget* parent, const Box& box);
};
