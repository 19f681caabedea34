// SPDX-License-Identifier: GPL-2.0-or-later
// A small drag source for the end-to-end tests: a window showing a label;
// pressing the mouse button on it starts a drag that carries the text given
// on the command line, or with --url a file link (as a file manager drags it:
// the link list plus the link as plain text).
//
// usage: kvel-e2e-drag-source [--url URL | TEXT]
//
// The window is titled "kvel-e2e-drag-source". After every drag one line goes
// to standard output: "drag-result: copy", "drag-result: move",
// "drag-result: link" or "drag-result: ignore" (the target refused it).
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include <cstdio>

namespace {

class DragSource : public QLabel
{
public:
    DragSource(QString text, bool isUrl) : m_text(std::move(text)), m_isUrl(isUrl)
    {
        setText(m_text);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        QPalette colours = palette();
        colours.setColor(QPalette::Window, QColor(200, 220, 255));
        colours.setColor(QPalette::WindowText, Qt::black);
        setPalette(colours);
        setWindowTitle(QStringLiteral("kvel-e2e-drag-source"));
        setFixedSize(160, 60);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        auto* data = new QMimeData;
        if (m_isUrl)
            data->setUrls({QUrl(m_text)});
        data->setText(m_text);
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
        const char* name = "ignore";
        switch (action) {
        case Qt::CopyAction:
            name = "copy";
            break;
        case Qt::MoveAction:
            name = "move";
            break;
        case Qt::LinkAction:
            name = "link";
            break;
        default:
            break;
        }
        std::printf("drag-result: %s\n", name);
        std::fflush(stdout);
    }

private:
    QString m_text;
    bool m_isUrl;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments().mid(1);
    bool isUrl = false;
    QString text;
    if (args.size() == 2 && args[0] == QLatin1String("--url")) {
        isUrl = true;
        text = args[1];
    } else if (args.size() == 1) {
        text = args[0];
    } else {
        std::fprintf(stderr, "usage: kvel-e2e-drag-source [--url URL | TEXT]\n");
        return 2;
    }
    DragSource window(text, isUrl);
    window.show();
    return QApplication::exec();
}
