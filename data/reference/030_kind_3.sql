-- Articles and meal categories proposed to a new management file of a crèche or kindergarten:
-- unit prices in dinars (per kilogram unless the designation names another unit), empty store.

-- The base lists (020_base.sql) without the common articles small children's meals do not use, with the infant
-- food and a few articles of their own.

CREATE TABLE articles_organisme_3 (
    CODE_ART    INTEGER PRIMARY KEY,
    DESIGNATION VARCHAR(50),
    PU          DOUBLE,
    CODE_FOUR   INTEGER,
    QT31DEC     DOUBLE,
    PU31DEC     DOUBLE,
    VAL31DEC    DOUBLE
);

-- The common articles, with an empty store and no supplier.
INSERT INTO articles_organisme_3 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC)
    SELECT CODE_ART, DESIGNATION, PU, 0, 0, 0, 0 FROM base_articles;

-- Common articles a crèche does not use.
DELETE FROM articles_organisme_3 WHERE CODE_ART IN (
    106, 107,                     -- LANGUES D'OISEAU, FRIK
    303,                          -- MARGARINE
    404,                          -- CHOCOLAT
    607,                          -- CAMEMBERT (PIECE)
    703,                          -- VIANDE OVINE
    801, 802, 804,                -- SARDINES, THON EN BOITE, FILET DE POISSON CONGELE
    903, 905, 906, 907,           -- MAYONNAISE, VINAIGRE (L), OLIVES, PETITS POIS EN CONSERVE
    1002, 1004, 1007, 1008, 1010, -- POIVRE NOIR, PAPRIKA, CARVI, LAURIER, CORIANDRE (BOTTE)
    1107, 1108, 1110, 1113, 1116  -- PIMENT, POIVRONS, SALADE VERTE, BETTERAVES, CITRONS
);

-- Articles of a crèche alone.
INSERT INTO articles_organisme_3 (CODE_ART, DESIGNATION, PU, CODE_FOUR, QT31DEC, PU31DEC, VAL31DEC) VALUES
    -- Cereals, flours, pasta and bread
    (110, 'LEVURE CHIMIQUE (SACHET)', 15.00, 0, 0, 0, 0),
    (112, 'BISCOTTES (PAQUET)', 150.00, 0, 0, 0, 0),
    (113, 'FLOCONS D''AVOINE', 600.00, 0, 0, 0, 0),
    -- Pulses
    (204, 'POIS CASSES', 220.00, 0, 0, 0, 0),
    -- Sugar and sweet products
    (406, 'CACAO EN POUDRE', 1300.00, 0, 0, 0, 0),
    -- Milk, dairy products and eggs
    (610, 'PETIT SUISSE (POT)', 20.00, 0, 0, 0, 0),
    -- Fish
    (803, 'MERLAN', 1300.00, 0, 0, 0, 0),
    -- Infant food
    (1301, 'LAIT INFANTILE 1ER AGE (BOITE 400 G)', 850.00, 0, 0, 0, 0),
    (1302, 'LAIT INFANTILE 2EME AGE (BOITE 400 G)', 850.00, 0, 0, 0, 0),
    (1303, 'LAIT DE CROISSANCE (BOITE 400 G)', 750.00, 0, 0, 0, 0),
    (1304, 'CEREALES INFANTILES (BOITE 250 G)', 400.00, 0, 0, 0, 0),
    (1305, 'FARINE LACTEE (BOITE 400 G)', 450.00, 0, 0, 0, 0),
    (1306, 'COMPOTE DE FRUITS (POT)', 90.00, 0, 0, 0, 0),
    (1307, 'PETITS POTS DE LEGUMES (POT)', 150.00, 0, 0, 0, 0),
    (1308, 'PUREE DE FRUITS (GOURDE)', 120.00, 0, 0, 0, 0),
    (1309, 'BISCUITS POUR BEBE (PAQUET)', 150.00, 0, 0, 0, 0);

CREATE TABLE categories_organisme_3 (
    code_categ INTEGER PRIMARY KEY,
    lib_fr     VARCHAR(50),
    lib_ar     VARCHAR(50)
);

INSERT INTO categories_organisme_3 (code_categ, lib_fr, lib_ar)
    SELECT code_categ, lib_fr, lib_ar FROM base_categories;

-- The diners are the infants and the children; 4 is the supervising staff.
INSERT OR REPLACE INTO categories_organisme_3 (code_categ, lib_fr, lib_ar) VALUES
    (1, 'Nourrissons', 'الرضع'),
    (2, 'Enfants', 'الأطفال'),
    (4, 'Personnel d''encadrement', 'مستخدمو التأطير');
