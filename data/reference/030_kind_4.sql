-- Articles and meal categories proposed to a new management file of a central school canteen:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

-- The same lists as a primary-school canteen: the base lists (020_base.sql) unchanged.

CREATE TABLE articles_organisme_4 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

-- The common articles, with an empty store and no supplier.
INSERT INTO articles_organisme_4 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles;

CREATE TABLE categories_organisme_4 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO categories_organisme_4 (code_categ, lib_fr, lib_ar)
    SELECT code_categ, lib_fr, lib_ar FROM base_categories;
