-- The base lists only serve to make the lists of each kind (020_base.sql): a management file holds none of them.

DROP TABLE base_articles;
DROP TABLE base_articles_internat;
DROP TABLE base_categories;
