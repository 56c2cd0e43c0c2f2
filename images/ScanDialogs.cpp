#include "images/ScanDialogs.h"

#include "images/ImageTextIds.h"
#include "util/StringResources.h"
#include "res/resource.h"

#include "platform/ModalRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFormLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <thread>

void RunWhileWindowsPaint(const std::function<void()>& work)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QEventLoop loop;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        work();
        done = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    while (!done)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    QApplication::restoreOverrideCursor();
}

// ---- chooser ----------------------------------------------------------------

ScanSourceDialog::ScanSourceDialog(SaneScanner& scanner, const QList<ScannerDevice>& devices, QWidget* parent)
    : QDialog(parent), m_scanner(scanner), m_devices(devices)
{
    setObjectName(QStringLiteral("id_33481"));
    setWindowTitle(LoadResString(ImageTextIds::ScanChooserCaption));
    auto* form = new QFormLayout;
    auto makeCombo = [this](int id) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("id_%1").arg(id));
        combo->setMinimumWidth(260);
        return combo;
    };
    m_device = makeCombo(DeviceId);
    m_source = makeCombo(SourceId);
    m_mode = makeCombo(ModeId);
    m_resolution = makeCombo(ResolutionId);
    form->addRow(LoadResString(ImageTextIds::ScanDeviceLabel), m_device);
    form->addRow(LoadResString(ImageTextIds::ScanSourceLabel), m_source);
    form->addRow(LoadResString(ImageTextIds::ScanModeLabel), m_mode);
    form->addRow(LoadResString(ImageTextIds::ScanResolutionLabel), m_resolution);
    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(LoadResString(ImageTextIds::ScanStartButton), QDialogButtonBox::AcceptRole);
    m_ok->setObjectName(QStringLiteral("id_%1").arg(platform::IDOK));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(LoadResString(IDS_MSGBOX_CANCEL), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("id_%1").arg(platform::IDCANCEL));
    connect(buttons, &QDialogButtonBox::accepted, this, &ScanSourceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScanSourceDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_note);
    layout->addWidget(buttons);

    for (const ScannerDevice& device : m_devices) {
        // Two devices of one model are told apart by their names.
        const bool shared = std::count_if(m_devices.begin(), m_devices.end(),
                                          [&](const ScannerDevice& other) { return other.label == device.label; }) > 1;
        QString text = device.label.isEmpty() ? device.name : device.label;
        if (shared && !device.label.isEmpty())
            text += QStringLiteral(" [%1]").arg(device.name);
        m_device->addItem(text, device.name);
    }
    connect(m_device, &QComboBox::currentIndexChanged, this, &ScanSourceDialog::openDevice);
    openDevice(m_device->currentIndex());
}

QComboBox* ScanSourceDialog::comboFor(const QString& option) const
{
    if (option == QLatin1String("source"))
        return m_source;
    if (option == QLatin1String("mode"))
        return m_mode;
    return m_resolution;
}

void ScanSourceDialog::openDevice(int index)
{
    for (QComboBox* combo : {m_source, m_mode, m_resolution}) {
        combo->clear();
        combo->setEnabled(false);
    }
    m_note->clear();
    const QString name = index >= 0 ? m_device->itemData(index).toString() : QString();
    bool opened = false;
    if (!name.isEmpty())
        RunWhileWindowsPaint([&] { opened = m_scanner.open(name); });
    m_ok->setEnabled(opened);
    if (!opened) {
        if (!name.isEmpty())
            m_note->setText(LoadResString(ImageTextIds::ScanOpenFailed).arg(m_device->itemText(index)));
        return;
    }
    for (const ScannerChoice& choice : m_scanner.choices()) {
        QComboBox* combo = comboFor(choice.option);
        combo->addItems(choice.values);
        combo->setCurrentIndex(choice.current);
        combo->setEnabled(true);
    }
}

void ScanSourceDialog::accept()
{
    if (!m_scanner.isOpen())
        return;
    // Source first: a feeder may offer other modes and resolutions.
    for (const QString& option : {QStringLiteral("source"), QStringLiteral("mode"), QStringLiteral("resolution")}) {
        const QComboBox* combo = comboFor(option);
        if (combo->isEnabled() && combo->currentIndex() >= 0)
            m_scanner.choose(option, combo->currentText());
    }
    done(platform::IDOK);
}

// ---- progress ---------------------------------------------------------------

ScanProgressDialog::ScanProgressDialog(std::function<void()> cancel, QWidget* parent)
    : QDialog(parent), m_cancel(std::move(cancel))
{
    setWindowTitle(LoadResString(ImageTextIds::ScanProgressCaption));
    m_label = new QLabel(LoadResString(ImageTextIds::ScanPreparing), this);
    m_label->setObjectName(QStringLiteral("id_%1").arg(LabelId));
    m_label->setMinimumWidth(320);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("id_%1").arg(BarId));
    m_bar->setRange(0, 0);
    m_cancelButton = new QPushButton(LoadResString(IDS_MSGBOX_CANCEL), this);
    m_cancelButton->setObjectName(QStringLiteral("id_%1").arg(CancelId));
    connect(m_cancelButton, &QPushButton::clicked, this, &ScanProgressDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancelButton, 0, Qt::AlignRight);
}

void ScanProgressDialog::SetProgress(int page, qint64 done, qint64 expected)
{
    if (!m_cancelButton->isEnabled())
        return;
    m_label->setText(LoadResString(ImageTextIds::ScanReadingPage).arg(page));
    if (expected > 0) {
        m_bar->setRange(0, 1000);
        m_bar->setValue(int(std::min<qint64>(1000, done * 1000 / expected)));
    } else {
        m_bar->setRange(0, 0);
    }
}

QString ScanProgressDialog::labelText() const
{
    return m_label->text();
}

void ScanProgressDialog::reject()
{
    // The scan ends the window once it has stopped.
    if (!m_cancelButton->isEnabled())
        return;
    m_cancelButton->setEnabled(false);
    if (m_cancel)
        m_cancel();
}
