#pragma once
// The plugin Qt Designer loads: one widget-box entry per class on the host's palette (the
// package's controls and components, the host's data-access components), under the name of its
// palette page and with its palette picture. Components that are not controls are placed as
// their placeholder widgets (see uicomponents.h). Loading the plugin starts the design host.

#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <memory>

class TDesignerPluginHost;

class TPaletteWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)
public:
    TPaletteWidget(const QString &Page, const QMetaObject *Class, QObject *Parent);

    QString name() const override;
    QString group() const override { return m_page; }
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget *createWidget(QWidget *Parent) override;
    bool isInitialized() const override { return m_initialized; }
    void initialize(QDesignerFormEditorInterface *Core) override;
    QString domXml() const override;

private:
    QString m_page;
    const QMetaObject *m_class;
    const QMetaObject *m_widgetClass;
    bool m_initialized = false;
};

class TKorWidgetCollection : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)
public:
    explicit TKorWidgetCollection(QObject *Parent = nullptr);
    ~TKorWidgetCollection() override;

    QList<QDesignerCustomWidgetInterface *> customWidgets() const override;

private:
    std::unique_ptr<TDesignerPluginHost> m_host;
    QList<QDesignerCustomWidgetInterface *> m_widgets;
};
