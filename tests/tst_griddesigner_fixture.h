#pragma once
// The designer tests' fixture: a form with a grid over the sample data, its columns customised,
// and the grid designer window opened on it the way the grid's designer verb opens it.

#include <QCoreApplication>
#include <QPointer>
#include <memory>

#include "formdesigner.h"
#include "grid.h"
#include "gridparts.h"
#include "kordbgriddesigner.h"
#include "tst_runtime_fixture.h"

struct GridDesignerFixture {
    std::unique_ptr<RuntimeFixture> data;
    std::unique_ptr<TFormDesigner> designer;
    TKorDBGrid *grid = nullptr;
    QPointer<TKorDBGridDesigner> window;

    // A new form whose grid reads the sample data through customised columns.
    void MakeGrid()
    {
        data = std::make_unique<RuntimeFixture>();
        designer = std::make_unique<TFormDesigner>();
        grid = designer->Create<TKorDBGrid>();
        grid->setDataSource(&data->Source);
        grid->Columns()->setState(Kor::csCustomized);
    }

    // Opens the designer on the grid and answers its window (null when none opened).
    TKorDBGridDesigner *OpenDesigner()
    {
        ShowKorDBGridDesigner(designer.get(), grid, false);
        window = qobject_cast<TKorDBGridDesigner *>(
            ShowBriskDesignerClass(designer.get(), grid, {}, nullptr));
        return window;
    }

    // Closes the window, lets its deferred deletion run and drops the form and the data.
    void TearDown()
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        designer.reset();
        data.reset();
    }
};
